#pragma once

#include <QString>

#include <vector>

// The stored key and the values of every row of one file, to find two rows of which one would
// replace the other when stored. Identical rows may share a key: storing one again loses nothing.
class CRowKeyCheck
{
public:
    // The values of the row being read, cell by cell.
    void addCell(const QString& strCell);
    void endRow(int nRow, quint32 nStamp, quint32 nSerialNr);
    // The two rows of the first clash in file order (the later row decides); false when none.
    bool findClash(int* pFirstRow, int* pSecondRow);

private:
    struct SRow
    {
        quint64 nKey;
        quint64 nValues;
        int nRow;
    };

    // FNV-1a, 64 bits: different rows sharing a key are as good as certain to differ in it.
    static const quint64 FNV_OFFSET = 14695981039346656037ULL;

    std::vector<SRow> m_rows;
    quint64 m_nValues = FNV_OFFSET;
};
