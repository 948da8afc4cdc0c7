#pragma once

// Fixed German/English texts chosen by the system locale's language (not by the installed
// translation): tab titles, yes/no, data-field names, service-counter names.

constexpr int TEXT_TABLE_SIZE = 141;

// The indices of the answers, the tab titles and the low outside temperature's label.
enum ETextId
{
    TXT_YES = 0,
    TXT_NO = 1,
    TXT_MINUTE_VALUES = 2,
    TXT_MONTHLY_VALUES = 3,
    TXT_QUARTER_HOUR_VALUES = 4,
    TXT_DAILY_VALUES = 5,
    TXT_SERVICE_INFO = 6,
    TXT_WIFI_SETUP = 7,
    TXT_DETAILED_INFORMATION = 8,
    TXT_OUTSIDE_TEMP_BELOW_MINUS_22 = 9
};

// The UTF-8 text of an index in 0..TEXT_TABLE_SIZE-1, in German when the language of the
// default locale is German, else in English. Any other index gives an empty text.
// The pointer stays valid for the whole run.
const char* GetText(int index);
