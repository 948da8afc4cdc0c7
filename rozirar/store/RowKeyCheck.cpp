#include "RowKeyCheck.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
const quint64 FNV_PRIME = 1099511628211ULL;

quint64 hashed(quint64 nHash, quint64 nValue)
{
    return (nHash ^ nValue) * FNV_PRIME;
}
} // namespace

quint64 CRowKeyCheck::valuesOf(const QVector<QVariant>& values)
{
    enum EKind
    {
        NONE,
        INTEGER,
        REAL,
        TEXT
    };
    quint64 nHash = FNV_OFFSET;
    for (const QVariant& value : values)
    {
        if (value.isNull())
            nHash = hashed(nHash, NONE);
        else if (value.type() == QVariant::String)
        {
            // The length first, so that cells cannot trade characters unseen.
            const QString strText = value.toString();
            nHash = hashed(hashed(nHash, TEXT), quint64(strText.size()));
            for (const QChar ch : strText)
                nHash = hashed(nHash, ch.unicode());
        }
        else if (value.type() == QVariant::Double)
        {
            // A whole number stores as the integer in an integer column and as the same real in a
            // real one: either way it is the integer's value.
            const double dValue = value.toDouble();
            if (dValue == std::floor(dValue) && std::fabs(dValue) < 9e18)
                nHash = hashed(hashed(nHash, INTEGER), quint64(qint64(dValue)));
            else
            {
                quint64 nBits = 0;
                std::memcpy(&nBits, &dValue, sizeof(nBits));
                nHash = hashed(hashed(nHash, REAL), nBits);
            }
        }
        else
            nHash = hashed(hashed(nHash, INTEGER), quint64(value.toLongLong()));
    }
    return nHash;
}

void CRowKeyCheck::addRow(int nRow, quint32 nStamp, quint32 nSerialNr, quint64 nValues)
{
    m_rows.push_back({(quint64(nStamp) << 32) | nSerialNr, nValues, nRow});
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
