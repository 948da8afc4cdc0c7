#pragma once

#include "VokDelimTextModel.h"

#include <QStringList>
#include <QTextStream>

class CImportProgress;
class QIODevice;

// The records of a file to import (";", '"', ISO 8859-1 or UTF-8), one at a time, in time linear
// in the file's size. Lines without a value (empty, blanks only, separators only, as spreadsheets
// save empty rows) are no records. While it passes over them, the progress is told and a cancel
// is seen.
class CImportRowReader
{
public:
    // A record of our export holds a few hundred fields and a few thousand characters; these
    // bounds leave room for any edited file and still keep a hostile one from taking all memory.
    static const CVokDelimTextModel::SRecordLimits LIMITS;

    // pProgress may be null.
    CImportRowReader(QIODevice* pDevice, CImportProgress* pProgress);
    // The next record holding a value; false at the end of the file, at a record beyond the
    // bounds (tooLarge) and when the user cancelled (canceled).
    bool next(QStringList& fields);
    bool tooLarge() const { return m_lastRead == CVokDelimTextModel::ERecordRead::TOO_LARGE; }
    bool canceled() const { return m_bCanceled; }
    // Read so far, in KiB of the file (the stream reads ahead in blocks).
    int position() const;
    int size() const;

private:
    QIODevice* m_pDevice;
    CImportProgress* m_pProgress;
    QTextStream m_stream;
    CVokDelimTextModel m_reader;
    CVokDelimTextModel::ERecordRead m_lastRead = CVokDelimTextModel::ERecordRead::END;
    bool m_bCanceled = false;
};
