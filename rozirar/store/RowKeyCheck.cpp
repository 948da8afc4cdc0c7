#include "RowKeyCheck.h"

#include <algorithm>

namespace
{
const quint64 FNV_PRIME = 1099511628211ULL;

quint64 hashed(quint64 nHash, quint64 nValue)
{
    return (nHash ^ nValue) * FNV_PRIME;
}
} // namespace

void CRowKeyCheck::addCell(const QString& strCell)
{
    // The length first, so that cells cannot trade characters unseen.
    m_nValues = hashed(m_nValues, quint64(strCell.size()));
    for (const QChar ch : strCell)
        m_nValues = hashed(m_nValues, ch.unicode());
}

void CRowKeyCheck::endRow(int nRow, quint32 nStamp, quint32 nSerialNr)
{
    m_rows.push_back({(quint64(nStamp) << 32) | nSerialNr, m_nValues, nRow});
    m_nValues = FNV_OFFSET;
}

bool CRowKeyCheck::findClash(int* pFirstRow, int* pSecondRow)
{
    // Rows of a file in time order are sorted already.
    const auto before = [](const SRow& a, const SRow& b)
    { return a.nKey != b.nKey ? a.nKey < b.nKey : a.nRow < b.nRow; };
    if (!std::is_sorted(m_rows.begin(), m_rows.end(), before))
        std::sort(m_rows.begin(), m_rows.end(), before);
    bool bClash = false;
    for (size_t nFirst = 0, i = 1; i < m_rows.size(); ++i)
    {
        if (m_rows[i].nKey != m_rows[nFirst].nKey)
            nFirst = i;
        else if (m_rows[i].nValues != m_rows[nFirst].nValues && (!bClash || m_rows[i].nRow < *pSecondRow))
        {
            bClash = true;
            *pFirstRow = m_rows[nFirst].nRow;
            *pSecondRow = m_rows[i].nRow;
        }
    }
    return bClash;
}
