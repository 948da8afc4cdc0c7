#pragma once

// Logs of the tolVane100.
class CLogging
{
public:
    // The second log keeps one ring of entries per span; the value selects the span in requests,
    // stored rows (column LTS) and tab pages.
    enum EMaxTimeSpan
    {
        TS_QUARTER_HOUR = 0, // 900 s
        TS_DAY = 1,          // 86400 s
        TS_MONTH = 2         // 2592000 s
    };
};
