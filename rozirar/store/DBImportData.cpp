#include "DBImportData.h"

#include "CommonTranslations.h"
#include "DBBase.h"
#include "DataDict.h"
#include "ImportRowReader.h"
#include "LocalTimeParser.h"
#include "RowKeyCheck.h"
#include "RowTimes.h"
#include "SecLogDBBase.h"
#include "StoreMessages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QIODevice>
#include <QSqlError>
#include <QSqlQuery>
#include <QTranslator>

#include <limits>

namespace
{
const char* const CONNECTION = "UIThread";
const char* const PROGRAM_NAME = "tolVane-Vozudoz";

// Rows between two progress updates; updating for every row would cost more than the insert.
const int PROGRESS_ROWS = 1000;
// Rows read ahead to find the step between rows of a unit (gaps, rows sharing a minute, merged
// files repeating rows, units interleaved).
const int LEAD_ROWS = 1000;
// The longest step between minute rows taken for minute rows where the columns fit both tables.
const qint64 MINUTE_STEP = 600;

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

// The span of second-log rows from the size of the step between their first two time stamps.
int timeSpanOfStep(qint64 nStep)
{
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

QString tooLarge(int nRow)
{
    return CDBImportData::tr("Data row %1 is longer than a log file's row can be (more than %2 fields or %3 "
                             "characters). "
                             "Nothing has been imported.")
        .arg(nRow)
        .arg(CImportRowReader::LIMITS.nMaxFields)
        .arg(CImportRowReader::LIMITS.nMaxChars);
}

// The insert of the rows, prepared once and bound row by row: the placeholders in statement
// order, the values not from the file, and where the time stamp goes.
class CRowInsert
{
public:
    CRowInsert(const QSqlDatabase& db, const CDBImportData::SInsert& insert) : m_query(db)
    {
        QStringList columns;
        m_rowValues.resize(insert.bound.size());
        for (int b = 0; b < insert.bound.size(); ++b)
        {
            const CDBImportData::SBound& bound = insert.bound[b];
            columns.append(column(bound.nDictIndex));
            m_placeholders.append(QLatin1Char(':') + column(bound.nDictIndex));
            if (bound.nDictIndex == DDI_LogEntryTimeSpan)
                m_rowValues[b] = insert.nTimeSpan;
            else if (bound.nColumn < 0)
                m_rowValues[b] = insert.nSerialNr;
            else if (bound.nDictIndex == DDI_LogTimestamp)
            {
                m_nStampIndex = b;
                m_nStampField = bound.nColumn;
            }
        }
        m_strStatement =
            QStringLiteral("INSERT OR REPLACE INTO %1 (%2) VALUES (%3)")
                .arg(insert.strTable, columns.join(QLatin1Char(',')), m_placeholders.join(QLatin1Char(',')));
    }

    bool prepare() { return m_query.prepare(m_strStatement); }
    // A row's values with those not from the file filled in.
    const QVector<QVariant>& rowValues() const { return m_rowValues; }
    // The time stamp's place among the values and its column in the file.
    int stampIndex() const { return m_nStampIndex; }
    int stampField() const { return m_nStampField; }
    bool exec(QVector<QVariant>& values, qint64 nStamp)
    {
        values[m_nStampIndex] = nStamp;
        for (int b = 0; b < values.size(); ++b)
            m_query.bindValue(m_placeholders[b], values[b]);
        return m_query.exec();
    }
    QString errorText() const { return m_query.lastError().text(); }

private:
    QSqlQuery m_query;
    QString m_strStatement;
    QStringList m_placeholders;
    QVector<QVariant> m_rowValues;
    int m_nStampIndex = 0;
    int m_nStampField = 0;
};

// A number written with a fraction of zeros ("4731.0") without it; any other text as it is.
QString wholeNumberOf(const QString& strText)
{
    const int nPoint = strText.indexOf(QLatin1Char('.'));
    if (nPoint <= 0 || nPoint + 1 == strText.size())
        return strText;
    for (int i = nPoint + 1; i < strText.size(); ++i)
        if (strText[i] != QLatin1Char('0'))
            return strText;
    return strText.left(nPoint);
}

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
        // The export writes any stored 64-bit value this way; hours beyond that range are refused,
        // never wrapped or read as 0.
        const bool bNegative = strCell.startsWith(QLatin1Char('-'));
        const QStringRef hours = strCell.midRef(bNegative ? 1 : 0, strCell.size() - 3 - (bNegative ? 1 : 0));
        bool bHours = hours.isEmpty(); // ":30" is half an hour
        const qint64 nHours = bHours ? 0 : hours.toLongLong(&bHours);
        const qint64 nMinuteSeconds = strCell.rightRef(2).toInt() * 60;
        *pOk = bHours && nHours <= (std::numeric_limits<qint64>::max() - nMinuteSeconds) / 3600;
        const qint64 nSeconds = *pOk ? nHours * 3600 + nMinuteSeconds : 0;
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
    if (nDictIndex == DDI_SerialNumber)
    {
        qint64 nValue = wholeNumberOf(strCell).toLongLong(&bNumber);
        // Older exports show serial numbers of 2^31 and above less 2^32.
        if (bNumber && nValue < 0 && nValue >= -CDBBase::SERIAL_NUMBER_WRAP / 2)
            nValue += CDBBase::SERIAL_NUMBER_WRAP;
        *pOk = bNumber && nValue >= 0 && nValue < CDBBase::SERIAL_NUMBER_WRAP;
        return nValue;
    }
    const qint64 nValue = strCell.toLongLong(&bNumber);
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
    const auto headerOf = [&](bool b70, int c)
    { return b70 ? firstLine(headers[c]) : renamedHeader(firstLine(headers[c])); };
    // The entry a header names in the tables of the type; -1 for none. Both types have entries of
    // the same name (each its own supply temperature, say).
    const auto indexOf = [&](bool b70, int c)
    {
        const int nTables = b70 ? (CDBBase::TK_VALUE_LOGS_70 | CDBBase::TK_SEC_LOGS_70)
                                : (CDBBase::TK_VALUE_LOGS | CDBBase::TK_SEC_LOGS);
        const QString strName = headerOf(b70, c);
        for (int i = translated.indexOf(strName); i >= 0; i = translated.indexOf(strName, i + 1))
            if (column(i).isEmpty() || (pDict->getTableMask(i) & nTables))
                return i;
        return -1;
    };
    const auto refusedBy = [&](bool b70)
    {
        for (int c = 0; c < headers.size(); ++c)
            if (indexOf(b70, c) < 0)
                return c;
        return -1;
    };
    m_b70 = refusedBy(false) >= 0;
    if (m_b70 && refusedBy(true) >= 0)
    {
        // The first header neither type knows; where each is known to one type, the first one
        // the plus reading refuses.
        int nUnknown = refusedBy(true);
        for (int c = 0; c < headers.size(); ++c)
            if (indexOf(false, c) < 0 && indexOf(true, c) < 0)
            {
                nUnknown = c;
                break;
            }
        const bool bKnownTo100 = indexOf(false, nUnknown) >= 0;
        warn(m_pProgress, false, QCoreApplication::applicationName(),
             tr("Unknown column '%1'").arg(headerOf(bKnownTo100, nUnknown)));
        return false;
    }
    pMap->clear();
    for (int c = 0; c < headers.size(); ++c)
    {
        const int nIndex = indexOf(m_b70, c);
        if (!column(nIndex).isEmpty())
            pMap->insert(nIndex, c);
    }
    return true;
}

QString CDBImportData::stampRefused(int nResult, const QString& strStamp, int nRow)
{
    const char* pszText =
        nResult == CRowTimes::RT_NONEXISTENT
            ? QT_TR_NOOP("The time stamp '%1' in data row %2 does not exist in this computer's "
                         "time zone. Nothing has been imported.")
        : nResult == CRowTimes::RT_OUT_OF_RANGE
            ? QT_TR_NOOP("The time stamp '%1' in data row %2 lies outside the times a log can hold "
                         "(01.01.1970 00:00:00 to 07.02.2106 06:28:15 UTC). Nothing has been imported.")
            : QT_TR_NOOP("The time stamp '%1' in data row %2 is not valid. Nothing has been "
                         "imported.");
    return tr(pszText).arg(strStamp).arg(nRow);
}

CDBImportData::ETableChoice CDBImportData::chooseTable(const QMap<int, int>& columnMap, bool b70,
                                                       qint64 nTimeStep, bool bStepKnown, QString* pTable,
                                                       int* pTimeSpan)
{
    const int nMinuteTable = b70 ? CDBBase::TK_VALUE_LOGS_70 : CDBBase::TK_VALUE_LOGS;
    const int nSecTable = b70 ? CDBBase::TK_SEC_LOGS_70 : CDBBase::TK_SEC_LOGS;
    // Minute rows and second-log entries hold values of their own; a file of shared columns only
    // (an edited one) is told by its step.
    int nTables = nMinuteTable | nSecTable;
    for (auto it = columnMap.cbegin(); it != columnMap.cend(); ++it)
        if (CDataDict::instance()->getTableMask(it.key()) & (nMinuteTable | nSecTable))
            nTables &= CDataDict::instance()->getTableMask(it.key());
    const qint64 nSize = qAbs(nTimeStep);
    bool bSecLogs = nSize > MINUTE_STEP;
    if (nTables == nMinuteTable)
        bSecLogs = false;
    else if (nTables == nSecTable)
    {
        if (bStepKnown && nSize <= MINUTE_STEP)
            return TC_STEP_TOO_SHORT;
        bSecLogs = true;
    }
    *pTimeSpan = bSecLogs ? timeSpanOfStep(nSize) : -1;
    *pTable = QLatin1String(bSecLogs ? "SecLogs" : "ValueLogs") + QLatin1String(b70 ? "70" : "");
    return TC_OK;
}

bool CDBImportData::rowValues(const QStringList& headers, const QStringList& fields, int nRow,
                              const QVector<SBound>& bound, qint64 nSerialNr, bool bEmptyText,
                              QVector<QVariant>* pValues, qint64* pSerialNr)
{
    for (int c = headers.size(); c < fields.size(); ++c)
        if (!fields[c].isEmpty())
        {
            warn(m_pProgress, true, QCoreApplication::applicationName(),
                 tr("Data row %1 has a value in column %2, which has no header. Nothing "
                    "has been imported.")
                     .arg(nRow)
                     .arg(c + 1));
            return false;
        }
    // Our own export ends a row whose last cell is empty with ";", which the reader drops:
    // one missing last cell is an empty one.
    const auto noValue = [&](int c)
    {
        warn(m_pProgress, true, QCoreApplication::applicationName(),
             tr("Data row %1 has no value in column '%2'. Nothing has been imported.")
                 .arg(nRow)
                 .arg(firstLine(headers[c])));
        return false;
    };
    if (fields.size() < headers.size() - 1)
        return noValue(fields.size());
    *pSerialNr = nSerialNr;
    for (int b = 0; b < bound.size(); ++b)
    {
        const int k = bound[b].nDictIndex;
        const int c = bound[b].nColumn;
        if (c < 0 || k == DDI_LogTimestamp)
            continue;
        const QString strCell = fields.value(c);
        if (k == DDI_SerialNumber && strCell.isEmpty())
            return noValue(c);
        bool bOk = false;
        (*pValues)[b] = cellValue(k, strCell, bEmptyText, &bOk);
        if (!bOk)
        {
            warn(m_pProgress, true, QCoreApplication::applicationName(),
                 tr("The value '%1' in data row %2, column '%3' is not valid. Nothing "
                    "has been imported.")
                     .arg(strCell)
                     .arg(nRow)
                     .arg(firstLine(headers[c])));
            return false;
        }
        if (k == DDI_SerialNumber)
            *pSerialNr = (*pValues)[b].toLongLong();
    }
    return true;
}

bool CDBImportData::smallestTimeStep(const QList<QStringList>& rows, const QMap<int, int>& columnMap,
                                     qint64* pStep)
{
    const int nStampColumn = columnMap.value(DDI_LogTimestamp);
    const int nSerialColumn = columnMap.value(DDI_SerialNumber, -1);
    // The time each unit's row before shows, by the serial number as stored ("4711" and "4711.0"
    // are one unit).
    QHash<QString, QString> previous;
    bool bKnown = false;
    for (const QStringList& row : rows)
    {
        QString strUnit;
        if (nSerialColumn >= 0)
        {
            bool bOk = false;
            const QVariant serialNr = cellValue(DDI_SerialNumber, row.value(nSerialColumn), false, &bOk);
            strUnit = bOk ? serialNr.toString() : row.value(nSerialColumn);
        }
        const QString strTime = row.value(nStampColumn);
        QString& strPrevious = previous[strUnit];
        qint64 nStep = 0;
        if (!strPrevious.isNull() && strTime != strPrevious &&
            CLocalTimeParser::step(strPrevious, strTime, &nStep) && (!bKnown || qAbs(nStep) < *pStep))
        {
            *pStep = qAbs(nStep);
            bKnown = true;
        }
        strPrevious = strTime;
    }
    return bKnown;
}

QVector<CDBImportData::SBound> CDBImportData::bindingsOf(const QMap<int, int>& columnMap, bool bSecLogs)
{
    QVector<SBound> bound;
    for (auto it = columnMap.cbegin(); it != columnMap.cend(); ++it)
        bound.append({it.key(), it.value()});
    if (bSecLogs)
        bound.append({DDI_LogEntryTimeSpan, -1});
    if (!columnMap.contains(DDI_SerialNumber))
        bound.append({DDI_SerialNumber, -1});
    return bound;
}

bool CDBImportData::readHeaders(CImportRowReader& reader, QStringList* pHeaders)
{
    if (!reader.next(*pHeaders))
    {
        if (reader.tooLarge())
            warn(m_pProgress, true, QCoreApplication::applicationName(),
                 tr("The header row is longer than a log file's row can be (more than %1 fields or %2 "
                    "characters). "
                    "Nothing has been imported.")
                     .arg(CImportRowReader::LIMITS.nMaxFields)
                     .arg(CImportRowReader::LIMITS.nMaxChars));
        if (reader.tooLarge() || reader.canceled())
            return false;
    }
    if (pHeaders->size() > 1 && pHeaders->last().isEmpty())
        pHeaders->removeLast();
    return true;
}

bool CDBImportData::readLeadRows(CImportRowReader& reader, QList<QStringList>* pRows)
{
    QStringList fields;
    while (pRows->size() < LEAD_ROWS && reader.next(fields))
        pRows->append(fields);
    if (reader.canceled())
        return false;
    if (reader.tooLarge())
    {
        warn(m_pProgress, true, QCoreApplication::applicationName(), tooLarge(pRows->size() + 1));
        return false;
    }
    if (pRows->size() < 3)
    {
        warn(m_pProgress, true, QCoreApplication::applicationName(),
             tr("The import data seem to have only %1 rows. A minimum of 3 rows is required.")
                 .arg(pRows->size()));
        return false;
    }
    return true;
}

bool CDBImportData::planInsert(const QList<QStringList>& leadRows, QMap<int, int> columnMap, SInsert* pInsert)
{
    qint64 nTimeStep = 0;
    const bool bStepKnown = smallestTimeStep(leadRows, columnMap, &nTimeStep);
    if (chooseTable(columnMap, m_b70, nTimeStep, bStepKnown, &pInsert->strTable, &pInsert->nTimeSpan) ==
        TC_STEP_TOO_SHORT)
    {
        warn(m_pProgress, true, QCoreApplication::applicationName(),
             tr("The columns of the file are those of 1/4 hour, day or month values, but its first two rows "
                "are only %1 seconds apart. Nothing has been imported.")
                 .arg(nTimeStep));
        return false;
    }
    const bool bSecLogs = pInsert->nTimeSpan >= 0;
    // The second-log views compute the fifth level's time from the span and the other levels. A
    // tolVane 100 entry has no such counter and its retrieval leaves the column empty, and so does
    // the import; a plus retrieval stores the same time the view shows.
    if (bSecLogs && !m_b70)
        columnMap.remove(DDI_TimeComLev4);
    pInsert->bound = bindingsOf(columnMap, bSecLogs);
    if (!columnMap.contains(DDI_SerialNumber))
    {
        // Asked before anything is written, so the question is never behind the progress.
        if (m_pProgress)
            m_pProgress->reset();
        pInsert->nSerialNr = CStoreMessages::instance().askSerialNr();
        if (pInsert->nSerialNr < 0)
            return false;
    }
    return true;
}

bool CDBImportData::importData(QIODevice* pDevice, CImportProgress* pProgress)
{
    m_pProgress = pProgress;
    CImportRowReader reader(pDevice, pProgress);
    if (pProgress)
    {
        // The file is read while it is written, from its first rows on.
        pProgress->setLabelText(tr("Writing data into database..."));
        pProgress->setMaximum(reader.size());
    }
    QStringList headers;
    QList<QStringList> leadRows;
    QMap<int, int> columnMap;
    SInsert insert;
    return readHeaders(reader, &headers) && readLeadRows(reader, &leadRows) &&
           mapHeaders(headers, &columnMap) && planInsert(leadRows, columnMap, &insert) &&
           storeRows(reader, leadRows, headers, insert);
}

bool CDBImportData::storeRows(CImportRowReader& reader, const QList<QStringList>& leadRows,
                              const QStringList& headers, const SInsert& insert)
{
    QSqlDatabase db = QSqlDatabase::database(CONNECTION);
    db.transaction();
    const auto fail = [&](const QString& strText)
    {
        warn(m_pProgress, true, QCoreApplication::applicationName(), strText);
        db.rollback();
        return false;
    };
    CRowInsert rowInsert(db, insert);
    if (!rowInsert.prepare())
        return fail(tr("Error on preparing the SQL statement: '%1'").arg(rowInsert.errorText()));
    const bool bEmptyText = insert.nTimeSpan >= 0 && !m_b70;

    // The values of rows of a repeated hour until their pass is known.
    struct SRowValues
    {
        QVector<QVariant> values;
        qint64 nSerialNr;
        quint64 nValues;
    };
    QHash<int, SRowValues> held;
    SRowValues row{rowInsert.rowValues(), 0, 0};
    CRowTimes times(insert.nTimeSpan);
    CRowKeyCheck keys;
    // Stores the rows whose time stamps are known now: row nRow, the one just read, and rows held.
    const auto insertStored = [&](int nRow)
    {
        for (const CRowTimes::SStored& stored : times.stored())
        {
            SRowValues heldRow = stored.nRow == nRow ? SRowValues() : held.take(stored.nRow);
            SRowValues& storedRow = stored.nRow == nRow ? row : heldRow;
            keys.addRow(stored.nRow, quint32(stored.nStamp), quint32(storedRow.nSerialNr), storedRow.nValues);
            if (!rowInsert.exec(storedRow.values, stored.nStamp))
                return false;
        }
        times.clearStored();
        return true;
    };
    const auto insertFailed = [&]
    { return fail(tr("Error on inserting an SQL record: '%1'").arg(rowInsert.errorText())); };

    QStringList fields;
    for (int nRow = 1;; ++nRow)
    {
        if (nRow <= leadRows.size())
            fields = leadRows[nRow - 1];
        else if (!reader.next(fields))
        {
            if (reader.canceled())
            {
                db.rollback();
                return false;
            }
            if (reader.tooLarge())
                return fail(tooLarge(nRow));
            break;
        }

        if (!rowValues(headers, fields, nRow, insert.bound, insert.nSerialNr, bEmptyText, &row.values,
                       &row.nSerialNr))
        {
            db.rollback();
            return false;
        }
        row.values[rowInsert.stampIndex()] = QVariant(); // the time stamp is the key, not a value
        row.nValues = CRowKeyCheck::valuesOf(row.values);
        const CRowTimes::EResult result =
            times.addRow(nRow, fields.value(rowInsert.stampField()), quint32(row.nSerialNr), row.nValues);
        if (result != CRowTimes::RT_OK)
            return fail(stampRefused(result, times.failedText(), times.failedRow()));
        if (times.lastRowHeld())
            held.insert(nRow, row);
        if (!insertStored(nRow))
            return insertFailed();
        if (m_pProgress)
        {
            if (nRow % PROGRESS_ROWS == 0)
                m_pProgress->setValue(reader.position());
            if (m_pProgress->wasCanceled())
            {
                db.rollback();
                return false;
            }
        }
    }
    const CRowTimes::EResult result = times.finish();
    if (result != CRowTimes::RT_OK)
        return fail(stampRefused(result, times.failedText(), times.failedRow()));
    if (!insertStored(0))
        return insertFailed();

    int nFirstRow = 0;
    int nSecondRow = 0;
    if (keys.findClash(&nFirstRow, &nSecondRow))
        return fail(tr("Data rows %1 and %2 would be stored for the same unit and time but hold different "
                       "values. Nothing has been imported.")
                        .arg(nFirstRow)
                        .arg(nSecondRow));
    if (!db.commit())
        return fail(tr("Error on inserting an SQL record: '%1'").arg(db.lastError().text()));
    if (m_pProgress)
        m_pProgress->setValue(m_pProgress->maximum());
    return true;
}
