#include "ImportRowReader.h"

#include "DBImportData.h"

#include <QIODevice>

namespace
{
const char* const CSV_CODEC = "ISO 8859-1";
const QChar CSV_SEPARATOR(';');
const QChar CSV_QUOTE('"');

// Lines passed over between two looks at the progress: a few KiB of the file.
const int SKIPPED_LINES_PER_LOOK = 4096;

// True when the rest of the file is valid UTF-8 holding multi-byte sequences: a file an editor
// saved as UTF-8 without a byte-order mark. Text in ISO 8859-1, as we write it, is almost never
// valid UTF-8 once it holds a letter beyond ASCII. The device is left where it was.
bool isUtf8File(QIODevice* pDevice)
{
    if (pDevice->isSequential())
        return false;
    const qint64 nStart = pDevice->pos();
    bool bValid = true;
    bool bMultiByte = false;
    int nPending = 0; // continuation bytes still due
    QByteArray chunk;
    while (bValid && !(chunk = pDevice->read(1 << 20)).isEmpty())
    {
        for (const char ch : qAsConst(chunk))
        {
            const auto c = static_cast<unsigned char>(ch);
            if (nPending > 0)
            {
                bValid = (c & 0xC0) == 0x80;
                --nPending;
            }
            else if (c >= 0x80)
            {
                bMultiByte = true;
                nPending = (c >= 0xC2 && c <= 0xDF)   ? 1
                           : (c & 0xF0) == 0xE0       ? 2
                           : (c >= 0xF0 && c <= 0xF4) ? 3
                                                      : -1;
                bValid = nPending > 0;
            }
            if (!bValid)
                break;
        }
    }
    pDevice->seek(nStart);
    return bValid && nPending == 0 && bMultiByte;
}

bool holdsValue(const QStringList& fields)
{
    for (const QString& field : fields)
        if (!field.trimmed().isEmpty())
            return true;
    return false;
}
} // namespace

const CVokDelimTextModel::SRecordLimits CImportRowReader::LIMITS{10000, 1 << 20};

CImportRowReader::CImportRowReader(QIODevice* pDevice, CImportProgress* pProgress)
    : m_pDevice(pDevice), m_pProgress(pProgress)
{
    m_pDevice->setTextModeEnabled(false);
    const bool bUtf8 = isUtf8File(pDevice);
    m_stream.setDevice(pDevice);
    m_stream.setCodec(bUtf8 ? "UTF-8" : CSV_CODEC);
}

bool CImportRowReader::next(QStringList& fields)
{
    for (int nSkipped = 0;; ++nSkipped)
    {
        if (m_pProgress && nSkipped > 0 && nSkipped % SKIPPED_LINES_PER_LOOK == 0)
        {
            m_pProgress->setValue(position());
            if (m_pProgress->wasCanceled())
            {
                m_bCanceled = true;
                return false;
            }
        }
        fields.clear();
        m_lastRead = m_reader.readRecord(m_stream, CSV_SEPARATOR, CSV_QUOTE, fields, LIMITS);
        if (m_lastRead != CVokDelimTextModel::ERecordRead::RECORD)
            return false;
        if (holdsValue(fields))
            return true;
    }
}

int CImportRowReader::position() const
{
    return int(m_pDevice->pos() / 1024);
}

int CImportRowReader::size() const
{
    return int(m_pDevice->size() / 1024) + 1;
}
