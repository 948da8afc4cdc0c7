#pragma once

#include <QVariant>
#include <QVector>

#include <vector>

// The stored key and the values of every row of one file, to find two rows of which one would
// replace the other when stored. Identical rows may share a key: storing one again loses nothing.
class CRowKeyCheck
{
public:
    // The values of a row as its columns store them: a value spelled otherwise ("-" and "0", "7"
    // and "07", 7 and 7.0) gives the same.
    static quint64 valuesOf(const QVector<QVariant>& values);
    void addRow(int nRow, quint32 nStamp, quint32 nSerialNr, quint64 nValues);
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
};
