#pragma once

#include <QByteArray>

#include <ctime>

// The local time zone of this test process while the object lives (TZ, read again by the C
// library and so by Qt's local time and SQLite's 'localtime').
class CZoneForTest
{
public:
    explicit CZoneForTest(const QByteArray& zone) : m_previous(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~CZoneForTest()
    {
        qputenv("TZ", m_previous);
        tzset();
    }
    CZoneForTest(const CZoneForTest&) = delete;
    CZoneForTest& operator=(const CZoneForTest&) = delete;

private:
    QByteArray m_previous;
};
