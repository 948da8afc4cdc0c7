#include "LocalTimeParser.h"

#include <QDateTime>

namespace
{
const qint64 SECS_PER_DAY = 86400;
const qint64 UNIX_EPOCH_JULIAN_DAY = 2440588;
} // namespace

// A zone Qt cannot read (a POSIX rule in TZ, say) is left to the C library, which turns an
// instant into local time without any choice to make.
CLocalTimeParser::CLocalTimeParser() : m_zone(QTimeZone::systemTimeZone()) {}

int CLocalTimeParser::offsetAt(qint64 nSecs) const
{
    return m_zone.isValid() ? m_zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(nSecs, Qt::UTC))
                            : QDateTime::fromSecsSinceEpoch(nSecs, Qt::LocalTime).offsetFromUtc();
}

int CLocalTimeParser::instantsOf(const QDate& date, int nHour, int nMinute, qint64* pInstants)
{
    if (date != m_Date || nHour != m_nHour)
    {
        m_Date = date;
        m_nHour = nHour;
        m_nLocalHour = (date.toJulianDay() - UNIX_EPOCH_JULIAN_DAY) * SECS_PER_DAY + nHour * 3600;
        // No zone offset exceeds a day, and no zone changes its clocks twice within two days.
        m_nOffsetBefore = offsetAt(m_nLocalHour - SECS_PER_DAY);
        m_nOffsetAfter = offsetAt(m_nLocalHour + 3600 + SECS_PER_DAY);
    }
    const qint64 nLocal = m_nLocalHour + nMinute * 60;
    if (m_nOffsetBefore == m_nOffsetAfter)
    {
        pInstants[0] = nLocal - m_nOffsetBefore;
        return 1;
    }
    int nCount = 0;
    for (const int nOffset : {qMax(m_nOffsetBefore, m_nOffsetAfter), qMin(m_nOffsetBefore, m_nOffsetAfter)})
        if (offsetAt(nLocal - nOffset) == nOffset)
            pInstants[nCount++] = nLocal - nOffset;
    return nCount;
}

// Of the two instants of a time shown twice, the one of the row before when it shows the same time
// (rows sharing a minute), else the one that goes on in the direction the rows run; the nearer one
// while the direction is not known yet; for a first row, the one the file starts from.
qint64 CLocalTimeParser::chosen(const qint64* pInstants) const
{
    if (!m_bPrevious)
        return m_nDirection < 0 ? pInstants[1] : pInstants[0];
    if (pInstants[0] == m_nPrevious || pInstants[1] == m_nPrevious)
        return m_nPrevious;
    if (m_nDirection > 0)
        return pInstants[0] > m_nPrevious || pInstants[1] <= m_nPrevious ? pInstants[0] : pInstants[1];
    if (m_nDirection < 0)
        return pInstants[1] < m_nPrevious ? pInstants[1] : pInstants[0];
    return qAbs(pInstants[0] - m_nPrevious) <= qAbs(pInstants[1] - m_nPrevious) ? pInstants[0] : pInstants[1];
}

CLocalTimeParser::EResult CLocalTimeParser::instantsOfText(const QString& strText, qint64* pInstants,
                                                           int* pCount)
{
    static const QString FORM = QStringLiteral("dd.dd.dddd dd:dd");
    if (strText.size() != FORM.size())
        return LT_MALFORMED;
    const auto isDigit = [](QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('9'); };
    for (int i = 0; i < FORM.size(); ++i)
        if (FORM[i] == QLatin1Char('d') ? !isDigit(strText[i]) : strText[i] != FORM[i])
            return LT_MALFORMED;
    // Read digit by digit: converting each field through the locale costs more than storing the row.
    const auto number = [&strText](int nPos, int nLen)
    {
        int nValue = 0;
        for (int i = nPos; i < nPos + nLen; ++i)
            nValue = nValue * 10 + (strText[i].unicode() - '0');
        return nValue;
    };
    const QDate date(number(6, 4), number(3, 2), number(0, 2));
    const int nHour = number(11, 2);
    const int nMinute = number(14, 2);
    if (!date.isValid() || !QTime::isValid(nHour, nMinute, 0))
        return LT_MALFORMED;
    *pCount = instantsOf(date, nHour, nMinute, pInstants);
    return *pCount == 0 ? LT_NONEXISTENT : LT_OK;
}

CLocalTimeParser::EResult CLocalTimeParser::secsSinceEpoch(const QString& strText, qint64* pSecs,
                                                           qint64* pOther)
{
    qint64 instants[2] = {0, 0};
    int nCount = 0;
    const EResult result = instantsOfText(strText, instants, &nCount);
    if (result != LT_OK)
        return result;
    const qint64 nSecs = nCount == 1 ? instants[0] : chosen(instants);
    if (m_bPrevious && nSecs != m_nPrevious)
        m_nDirection = nSecs > m_nPrevious ? 1 : -1;
    m_bPrevious = true;
    m_nPrevious = nSecs;
    *pSecs = nSecs;
    if (pOther)
        *pOther = nCount == 2 && instants[0] == nSecs ? instants[1] : instants[0];
    return LT_OK;
}

bool CLocalTimeParser::step(const QString& strFrom, const QString& strTo, qint64* pStep)
{
    CLocalTimeParser parser;
    qint64 from[2] = {0, 0};
    qint64 to[2] = {0, 0};
    int nFrom = 0;
    int nTo = 0;
    if (parser.instantsOfText(strFrom, from, &nFrom) != LT_OK ||
        parser.instantsOfText(strTo, to, &nTo) != LT_OK)
        return false;
    *pStep = to[0] - from[0];
    for (int i = 0; i < nFrom; ++i)
        for (int j = 0; j < nTo; ++j)
            if (qAbs(to[j] - from[i]) < qAbs(*pStep))
                *pStep = to[j] - from[i];
    return true;
}

qint64 CLocalTimeParser::startOfDate(const QDate& date)
{
    qint64 instants[2] = {0, 0};
    if (instantsOf(date, 0, 0, instants) > 0)
        return instants[0];
    // Midnight skipped: shown under the later offset the instant is still before the jump, under the
    // earlier one already after it. The jump lies between; found to the second.
    qint64 nBefore = m_nLocalHour - m_nOffsetAfter;
    qint64 nAfter = m_nLocalHour - m_nOffsetBefore;
    const int nOffsetBefore = offsetAt(nBefore);
    while (nAfter - nBefore > 1)
    {
        const qint64 nMiddle = nBefore + (nAfter - nBefore) / 2;
        if (offsetAt(nMiddle) == nOffsetBefore)
            nBefore = nMiddle;
        else
            nAfter = nMiddle;
    }
    return nAfter;
}
