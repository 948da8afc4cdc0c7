#include "DBImportData.h"

#include "CommonTranslations.h"
#include "DBBase.h"
#include "DataDict.h"
#include "LocalTimeParser.h"
#include "RowKeyCheck.h"
#include "SecLogDBBase.h"
#include "StoreMessages.h"
#include "VokDelimTextModel.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QIODevice>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QTranslator>

namespace
{
const char* const CONNECTION = "UIThread";
const char* const TIME_FORMAT = "dd.MM.yyyy HH:mm";
const char* const PROGRAM_NAME = "tolVane-Vozudoz";
const char* const CSV_CODEC = "ISO 8859-1";
const QChar CSV_SEPARATOR(';');
const QChar CSV_QUOTE('"');

// Rows between two progress updates; updating for every row would cost more than the insert.
const int PROGRESS_ROWS = 1000;

// A record of our export holds a few hundred fields and a few thousand characters; these bounds
// leave room for any edited file and still keep a hostile one from taking all memory.
const CVokDelimTextModel::SRecordLimits RECORD_LIMITS{10000, 1 << 20};

QString column(int nIndex)
{
    return CDataDict::instance()->getText(nIndex, CDataDict::COL_COLUMN_NAME);
}

QString firstLine(const QString& strText)
{
    return strText.section(QLatin1Char('\n'), 0, 0);
}

// Headers of older exports that the dictionary has since renamed.
QString renamedHeader(const QString& strHeader)
{
    static const QHash<QString, QString> RENAMED = {
        {"SVB", "EVB"}, {"VST", "LST"},  {"SK", "KU"},      {"TET", "TEX"},      {"HET", "HEX"},
        {"SC", "CA"},   {"DC2", "DC2R"}, {"VGZ", "LGZ"},    {"VGA", "LGA"},      {"DSeM", "DSE"},
        {"AQE", "QEA"}, {"AQS", "QSA"},  {"DCO2I", "DC2I"}, {"DHuCO2I", "DHCI"},
    };
    return RENAMED.value(strHeader, strHeader);
}

// The table and span of the file from the step between its first two time stamps.
int timeSpanOfStep(qint64 nStep)
{
    if (nStep <= 600)
        return -1;
    if (nStep <= 72000)
        return 0;
    if (nStep <= 2160000)
        return 1;
    return 2;
}

// "-?[0-9]*:[0-9]{2}" as the views show durations.
bool isDuration(const QString& strText)
{
    const int nColon = strText.size() - 3;
    if (nColon < 0 || strText[nColon] != QLatin1Char(':'))
        return false;
    const int nFirst = strText.startsWith(QLatin1Char('-')) ? 1 : 0;
    for (int i = nFirst; i < strText.size(); ++i)
        if (i != nColon && !strText[i].isDigit())
            return false;
    return true;
}

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

// The records of the file one at a time.
class CRecordReader
{
public:
    explicit CRecordReader(QIODevice* pDevice) : m_pDevice(pDevice)
    {
        m_pDevice->setTextModeEnabled(false);
        const bool bUtf8 = isUtf8File(pDevice);
        m_stream.setDevice(pDevice);
        m_stream.setCodec(bUtf8 ? "UTF-8" : CSV_CODEC);
    }
    // The next record that is not an empty line (LF, CR LF or CR alone); false at the end of the
    // file and at a record beyond the bounds (tooLarge).
    bool next(QStringList& fields)
    {
        do
        {
            fields.clear();
            m_lastRead = m_reader.readRecord(m_stream, CSV_SEPARATOR, CSV_QUOTE, fields, RECORD_LIMITS);
        } while (m_lastRead == CVokDelimTextModel::ERecordRead::RECORD &&
                 (fields.isEmpty() || (fields.size() == 1 && fields[0].isEmpty())));
        return m_lastRead == CVokDelimTextModel::ERecordRead::RECORD;
    }
    bool tooLarge() const { return m_lastRead == CVokDelimTextModel::ERecordRead::TOO_LARGE; }
    // Read so far, in KiB of the file (the stream reads ahead in blocks).
    int position() const { return int(m_pDevice->pos() / 1024); }
    int size() const { return int(m_pDevice->size() / 1024) + 1; }

private:
    QIODevice* m_pDevice;
    QTextStream m_stream;
    CVokDelimTextModel m_reader;
    CVokDelimTextModel::ERecordRead m_lastRead = CVokDelimTextModel::ERecordRead::END;
};

// Parent null or the active window, as each message of the import has it. The progress is
// hidden first, so it never covers the box.
void warn(CImportProgress* pProgress, bool bActiveParent, const QString& strTitle, const QString& strText)
{
    if (pProgress)
        pProgress->reset();
    CStoreMessages::instance().showImportWarning(bActiveParent, strTitle, strText);
}
} // namespace

CDBImportData::CDBImportData(QObject* parent) : QSqlTableModel(parent, QSqlDatabase()) {}

QString CDBImportData::translateDictText(QTranslator& translator, const char* pszText)
{
    const QString strText = translator.translate("CDataDict", pszText);
    return strText.isNull() ? QString::fromLatin1(pszText) : strText;
}

QVariant CDBImportData::cellValue(int nDictIndex, const QString& strCell, bool bEmptyText, bool* pOk)
{
    *pOk = true;
    if (strCell == QLatin1String("-"))
        return nDictIndex == DDI_Pressure ? 700 : 0;
    if (isDuration(strCell))
    {
        const bool bNegative = strCell.startsWith(QLatin1Char('-'));
        const int nSeconds =
            strCell.midRef(bNegative ? 1 : 0, strCell.size() - 3 - (bNegative ? 1 : 0)).toInt() * 3600 +
            strCell.rightRef(2).toInt() * 60;
        return bNegative ? -nSeconds : nSeconds;
    }
    const bool bText = CDataDict::instance()->getType(nDictIndex) == CDataDict::VT_TEXT;
    if (strCell.isEmpty())
    {
        // The tolVane 100 retrieval stores a code without text as the empty text; a minute row and
        // a plus entry leave a value they did not get NULL.
        return bText && bEmptyText ? QVariant(QString(QLatin1String(""))) : QVariant(QVariant::String);
    }
    if (bText)
        return strCell;

    bool bNumber = false;
    qint64 nValue = strCell.toLongLong(&bNumber);
    if (nDictIndex == DDI_SerialNumber)
    {
        // Older exports show serial numbers of 2^31 and above less 2^32.
        if (bNumber && nValue < 0 && nValue >= -CDBBase::SERIAL_NUMBER_WRAP / 2)
            nValue += CDBBase::SERIAL_NUMBER_WRAP;
        *pOk = bNumber && nValue >= 0 && nValue < CDBBase::SERIAL_NUMBER_WRAP;
        return nValue;
    }
    if (bNumber)
        return nValue;
    const double dValue = strCell.toDouble(&bNumber);
    *pOk = bNumber && !qIsNaN(dValue);
    return dValue;
}

bool CDBImportData::mapHeaders(const QStringList& headers, QMap<int, int>* pMap)
{
    const QString strFirst = firstLine(headers.value(0));

    QTranslator english;
    QTranslator german;
    for (auto locale : {std::make_pair(&english, "en"), std::make_pair(&german, "de")})
    {
        // Compiled-in files: the import must not depend on the current folder.
        if (!loadCommonTranslation(*locale.first, QLatin1String(locale.second)))
        {
            warn(m_pProgress, true, PROGRAM_NAME,
                 QCoreApplication::translate("main", "Unable to load translations for locale '%1'.")
                     .arg(QLatin1String(locale.second)));
            return false;
        }
    }

    const CDataDict* pDict = CDataDict::instance();
    auto abbreviation = [pDict](int nIndex)
    { return pDict->getText(nIndex, CDataDict::COL_ABBREVIATION_RAW).toLatin1(); };

    QTranslator* pChosen = nullptr;
    if (strFirst.compare(translateDictText(german, abbreviation(DDI_LogTimestamp).constData()),
                         Qt::CaseInsensitive) == 0)
        pChosen = &german;
    else if (strFirst.compare(translateDictText(english, abbreviation(DDI_LogTimestamp).constData()),
                              Qt::CaseInsensitive) == 0)
        pChosen = &english;
    else
    {
        warn(m_pProgress, true, PROGRAM_NAME, tr("Unknown file format of CSV file."));
        return false;
    }

    QStringList translated;
    for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
        translated.append(translateDictText(*pChosen, abbreviation(i).constData()));

    // The unit type from the whole header set: a tolVane 100 file may use names the dictionary
    // has since renamed, some of which are names of the plus tables' own columns; a plus file uses
    // the names as they stand. A set that fits both is a tolVane 100 file.
    const auto reading = [&](bool b70, QMap<int, int>& map, QString& strUnknown)
    {
        const int nTables = b70 ? (CDBBase::TK_VALUE_LOGS_70 | CDBBase::TK_SEC_LOGS_70)
                                : (CDBBase::TK_VALUE_LOGS | CDBBase::TK_SEC_LOGS);
        // Both types have entries of the same name (each its own supply temperature, say).
        const auto indexOf = [&](const QString& strName)
        {
            for (int i = translated.indexOf(strName); i >= 0; i = translated.indexOf(strName, i + 1))
                if (column(i).isEmpty() || (pDict->getTableMask(i) & nTables))
                    return i;
            return -1;
        };
        for (int c = 0; c < headers.size(); ++c)
        {
            const QString strHeader = b70 ? firstLine(headers[c]) : renamedHeader(firstLine(headers[c]));
            const int nIndex = indexOf(strHeader);
            if (nIndex < 0)
            {
                strUnknown = strHeader;
                return false;
            }
            if (!column(nIndex).isEmpty())
                map.insert(nIndex, c);
        }
        return true;
    };
    QString strUnknown;
    QString strUnknown70;
    QMap<int, int> map70;
    m_b70 = false;
    if (!reading(false, *pMap, strUnknown))
    {
        pMap->clear();
        if (!reading(true, map70, strUnknown70))
        {
            warn(m_pProgress, false, QCoreApplication::applicationName(),
                 tr("Unknown column '%1'").arg(strUnknown));
            return false;
        }
        *pMap = map70;
        m_b70 = true;
    }
    return true;
}

bool CDBImportData::importData(QIODevice* pDevice, CImportProgress* pProgress)
{
    m_pProgress = pProgress;
    const QString strAppName = QCoreApplication::applicationName();
    CRecordReader reader(pDevice);
    QStringList headers;
    if (!reader.next(headers) && reader.tooLarge())
    {
        warn(pProgress, true, strAppName,
             tr("The header row is longer than a log file's row can be (more than %1 fields or %2 "
                "characters). "
                "Nothing has been imported.")
                 .arg(RECORD_LIMITS.nMaxFields)
                 .arg(RECORD_LIMITS.nMaxChars));
        return false;
    }
    const auto tooLarge = [](int nRow)
    {
        return tr("Data row %1 is longer than a log file's row can be (more than %2 fields or %3 "
                  "characters). "
                  "Nothing has been imported.")
            .arg(nRow)
            .arg(RECORD_LIMITS.nMaxFields)
            .arg(RECORD_LIMITS.nMaxChars);
    };

    // The first rows tell the table; they are read ahead, the others as they are stored.
    QList<QStringList> firstRows;
    QStringList fields;
    while (firstRows.size() < 3 && reader.next(fields))
        firstRows.append(fields);
    if (reader.tooLarge())
    {
        warn(pProgress, true, strAppName, tooLarge(firstRows.size() + 1));
        return false;
    }
    if (firstRows.size() < 3)
    {
        warn(pProgress, true, strAppName,
             tr("The import data seem to have only %1 rows. A minimum of 3 rows is required.")
                 .arg(firstRows.size()));
        return false;
    }

    QMap<int, int> columnMap;
    if (!mapHeaders(headers, &columnMap))
        return false;

    const QDateTime t0 = QDateTime::fromString(firstRows[0].value(0), TIME_FORMAT);
    const QDateTime t1 = QDateTime::fromString(firstRows[1].value(0), TIME_FORMAT);
    const qint64 nStep = (t0.isValid() && t1.isValid()) ? t0.secsTo(t1) : 0;
    const int nTimeSpan = timeSpanOfStep(nStep);
    const bool bSecLogs = nTimeSpan >= 0;
    const QString strTable =
        QLatin1String(bSecLogs ? "SecLogs" : "ValueLogs") + QLatin1String(m_b70 ? "70" : "");
    // The second-log views compute the fifth level's time from the span and the other levels. A
    // tolVane 100 entry has no such counter and its retrieval leaves the column empty, and so does
    // the import; a plus retrieval stores the same time the view shows.
    if (bSecLogs && !m_b70)
        columnMap.remove(DDI_TimeComLev4);

    // Dictionary index and CSV column of each placeholder in statement order; -1: not from the file.
    QVector<QPair<int, int>> bound;
    for (auto it = columnMap.cbegin(); it != columnMap.cend(); ++it)
        bound.append({it.key(), it.value()});
    if (bSecLogs)
        bound.append({DDI_LogEntryTimeSpan, -1});
    qint64 nSerialNr = -1;
    if (!columnMap.contains(DDI_SerialNumber))
    {
        bound.append({DDI_SerialNumber, -1});
        // Asked before anything is written, so the question is never behind the progress.
        if (pProgress)
            pProgress->reset();
        nSerialNr = CStoreMessages::instance().askSerialNr();
        if (nSerialNr < 0)
            return false;
    }
    QStringList columns;
    QStringList placeholders;
    for (const auto& b : bound)
    {
        columns.append(column(b.first));
        placeholders.append(QLatin1Char(':') + column(b.first));
    }

    if (pProgress)
    {
        pProgress->setLabelText(tr("Writing data into database..."));
        pProgress->setMaximum(reader.size());
    }

    QSqlDatabase db = QSqlDatabase::database(CONNECTION);
    db.transaction();
    QSqlQuery query(db);
    const auto fail = [&](bool bActiveParent, const QString& strText)
    {
        warn(pProgress, bActiveParent, strAppName, strText);
        db.rollback();
        return false;
    };
    if (!query.prepare(
            QStringLiteral("INSERT OR REPLACE INTO %1 (%2) VALUES (%3)")
                .arg(strTable, columns.join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')))))
        return fail(true, tr("Error on preparing the SQL statement: '%1'").arg(query.lastError().text()));

    CLocalTimeParser timeParser;
    CRowKeyCheck keys;
    QString strPreviousStamp;
    qint64 nPreviousBound = 0;
    for (int nRow = 1;; ++nRow)
    {
        if (nRow <= firstRows.size())
            fields = firstRows[nRow - 1];
        else if (!reader.next(fields))
        {
            if (reader.tooLarge())
                return fail(true, tooLarge(nRow));
            break;
        }

        for (int c = headers.size(); c < fields.size(); ++c)
            if (!fields[c].isEmpty())
                return fail(true, tr("Data row %1 has a value in column %2, which has no header. Nothing "
                                     "has been imported.")
                                      .arg(nRow)
                                      .arg(c + 1));
        // Our own export ends a row whose last cell is empty with ";", which the reader drops:
        // one missing last cell is an empty one.
        const auto noValue = [&](int c)
        {
            return fail(true, tr("Data row %1 has no value in column '%2'. Nothing has been imported.")
                                  .arg(nRow)
                                  .arg(firstLine(headers[c])));
        };
        if (fields.size() < headers.size() - 1)
            return noValue(fields.size());
        qint64 nRowSerialNr = nSerialNr;
        qint64 nRowStamp = 0;
        for (int b = 0; b < bound.size(); ++b)
        {
            const int k = bound[b].first;
            const int c = bound[b].second;
            const QString strCell = fields.value(c);
            if (k == DDI_SerialNumber && c >= 0 && strCell.isEmpty())
                return noValue(c);
            if (k == DDI_LogEntryTimeSpan)
            {
                query.bindValue(b, nTimeSpan);
            }
            else if (c < 0)
            {
                query.bindValue(b, nSerialNr);
            }
            else if (k == DDI_LogTimestamp)
            {
                // Rows of one minute share a stamp in the file; each further one moves on a second
                // after the one before, so no row replaces another.
                qint64 nStamp = 0;
                const CLocalTimeParser::EResult result = timeParser.secsSinceEpoch(strCell, &nStamp);
                if (result == CLocalTimeParser::LT_NONEXISTENT)
                    return fail(true,
                                tr("The time stamp '%1' in data row %2 does not exist in this computer's "
                                   "time zone. Nothing has been imported.")
                                    .arg(strCell)
                                    .arg(nRow));
                if (result != CLocalTimeParser::LT_OK)
                    return fail(true, tr("The time stamp '%1' in data row %2 is not valid. Nothing has been "
                                         "imported.")
                                          .arg(strCell)
                                          .arg(nRow));
                if (strCell == strPreviousStamp)
                    nStamp = nPreviousBound + 1;
                else if (bSecLogs)
                    nStamp = CSecLogDBBase::entryStampInMinute(nStamp, nTimeSpan);
                strPreviousStamp = strCell;
                nPreviousBound = nStamp;
                nRowStamp = qint64(quint32(nStamp));
                query.bindValue(b, nRowStamp);
            }
            else
            {
                bool bOk = false;
                const QVariant value = cellValue(k, strCell, bSecLogs && !m_b70, &bOk);
                if (!bOk)
                    return fail(true, tr("The value '%1' in data row %2, column '%3' is not valid. Nothing "
                                         "has been imported.")
                                          .arg(strCell)
                                          .arg(nRow)
                                          .arg(firstLine(headers[c])));
                if (k == DDI_SerialNumber)
                    nRowSerialNr = value.toLongLong();
                keys.addCell(strCell);
                query.bindValue(b, value);
            }
        }
        keys.endRow(nRow, quint32(nRowStamp), quint32(nRowSerialNr));

        if (!query.exec())
            return fail(true, tr("Error on inserting an SQL record: '%1'").arg(query.lastError().text()));
        if (pProgress)
        {
            if (nRow % PROGRESS_ROWS == 0)
                pProgress->setValue(reader.position());
            if (pProgress->wasCanceled())
            {
                db.rollback();
                return false;
            }
        }
    }
    int nFirstRow = 0;
    int nSecondRow = 0;
    if (keys.findClash(&nFirstRow, &nSecondRow))
        return fail(true,
                    tr("Data rows %1 and %2 would be stored for the same unit and time but hold different "
                       "values. Nothing has been imported.")
                        .arg(nFirstRow)
                        .arg(nSecondRow));
    if (!db.commit())
        return fail(true, tr("Error on inserting an SQL record: '%1'").arg(db.lastError().text()));
    if (pProgress)
        pProgress->setValue(pProgress->maximum());
    return true;
}
