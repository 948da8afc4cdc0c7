#include "RowTimes.h"

#include "SecLogDBBase.h"

CRowTimes::CRowTimes(int nTimeSpan, int nDirection) : m_nTimeSpan(nTimeSpan)
{
    m_parser.setDirection(nDirection);
}

CRowTimes::EResult CRowTimes::stampOf(const QString& strText, qint64* pStamp)
{
    qint64 nStamp = 0;
    if (!m_strPrevious.isNull() && strText == m_strPrevious)
    {
        // Rows sharing a time. Where the time shows twice, a spreadsheet sort puts the rows of both
        // passes side by side: the second row is the other pass. Else each further row moves on a
        // second after the one before, so no row replaces another.
        if (m_bOtherFree)
        {
            nStamp = m_nOther;
            if (m_nTimeSpan >= 0)
                nStamp = CSecLogDBBase::entryStampInMinute(nStamp, m_nTimeSpan);
            m_bOtherFree = false;
        }
        else
            nStamp = m_nPreviousStamp + 1;
    }
    else
    {
        qint64 nOther = 0;
        const CLocalTimeParser::EResult result = m_parser.secsSinceEpoch(strText, &nStamp, &nOther);
        if (result == CLocalTimeParser::LT_NONEXISTENT)
            return RT_NONEXISTENT;
        if (result != CLocalTimeParser::LT_OK)
            return RT_MALFORMED;
        m_strPrevious = strText;
        m_nOther = nOther;
        m_bOtherFree = nOther != nStamp;
        if (m_nTimeSpan >= 0)
            nStamp = CSecLogDBBase::entryStampInMinute(nStamp, m_nTimeSpan);
    }
    if (nStamp < 0 || nStamp > LAST_STAMP)
        return RT_OUT_OF_RANGE;
    m_nPreviousStamp = nStamp;
    *pStamp = nStamp;
    return RT_OK;
}
