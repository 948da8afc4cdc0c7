#pragma once

#include <QDate>
#include <QString>
#include <QTimeZone>

// Local time stamps "dd.MM.yyyy HH:mm" of a file's rows, read in file order, as Unix seconds in
// this computer's time zone. Where the clocks go back, the times of the shift show twice: the
// offsets before and after come from the zone's own data, never from the state an earlier
// conversion left behind, and which of the two instants a row means follows from the order of the
// rows, oldest or newest first.
class CLocalTimeParser
{
public:
    enum EResult
    {
        LT_OK,
        LT_MALFORMED,   // no valid date and time of this form
        LT_NONEXISTENT, // skipped where the clocks go forward
    };

    CLocalTimeParser();
    // The instant the row's text means; *pOther, when given, is the other instant that shows the
    // same time where the clocks went back, else the same instant.
    EResult secsSinceEpoch(const QString& strText, qint64* pSecs, qint64* pOther = nullptr);
    // The shortest step from one time to another over the instants each shows; false when either
    // is no time of this zone.
    static bool step(const QString& strFrom, const QString& strTo, qint64* pStep);
    // The earliest instant of the local date: its first midnight where midnight shows twice, the
    // moment the clocks jump where they skip it, the start of the next date where the zone skips
    // the whole date. The one start of a day, for the end of the day before as for the day itself.
    qint64 startOfDate(const QDate& date);

private:
    EResult instantsOfText(const QString& strText, qint64* pInstants, int* pCount);
    // The instants (earliest first) that show the local time; their number: 0, 1 or 2.
    int instantsOf(const QDate& date, int nHour, int nMinute, qint64* pInstants);
    qint64 chosen(const qint64* pInstants) const;
    int offsetAt(qint64 nSecs) const;

    QTimeZone m_zone;
    // The hour last read, as local seconds counted like UTC, and the offsets in force a day around it.
    QDate m_Date;
    int m_nHour = -1;
    qint64 m_nLocalHour = 0;
    int m_nOffsetBefore = 0;
    int m_nOffsetAfter = 0;
    // The instant of the row before and the direction the rows run in: 1 forward, -1 back, 0 not yet known.
    bool m_bPrevious = false;
    qint64 m_nPrevious = 0;
    int m_nDirection = 0;
};
