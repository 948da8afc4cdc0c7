#include "DBImportData.h"

#include "CommonTranslations.h"
#include "DataDict.h"
#include "SerialNrDlg.h"
#include "VokDelimTextModel.h"

#include <QApplication>
#include <QDateTime>
#include <QHash>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRegExp>
#include <QSqlError>
#include <QSqlQuery>
#include <QTranslator>

namespace
{
const char* const CONNECTION = "UIThread";
const char* const TIME_FORMAT = "dd.MM.yyyy HH:mm";
const char* const PROGRAM_NAME = "tolVane-Vozudoz";

// Rows between two progress updates; updating for every row would cost more than the insert.
const int PROGRESS_STEPS = 1000;

QString column(int nIndex)
{
    return CDataDict::instance()->getText(nIndex, CDataDict::COL_COLUMN_NAME);
}

QString headerText(CVokDelimTextModel* pModel, int nColumn)
{
    return pModel->headerData(nColumn, Qt::Horizontal, Qt::DisplayRole)
        .toString()
        .section(QLatin1Char('\n'), 0, 0);
}

QString cellText(CVokDelimTextModel* pModel, const QModelIndex& parent, int nRow, int nColumn)
{
    return pModel->data(pModel->index(nRow, nColumn, parent), Qt::DisplayRole).toString();
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

// Reads "dd.MM.yyyy HH:mm" as local time. The local offset is looked up once per hour of the file:
// asking the C library for every row costs more than writing the row.
class CLocalTimeParser
{
public:
    // Unix seconds, or -1 when the text is no valid time of this form.
    qint64 secsSinceEpoch(const QString& strText)
    {
        static const QString FORM = QStringLiteral("dd.dd.dddd dd:dd");
        if (strText.size() != FORM.size())
            return -1;
        for (int i = 0; i < FORM.size(); ++i)
            if (FORM[i] == QLatin1Char('d') ? !strText[i].isDigit() : strText[i] != FORM[i])
                return -1;
        const auto number = [&strText](int nPos, int nLen) { return strText.midRef(nPos, nLen).toInt(); };
        const QDate date(number(6, 4), number(3, 2), number(0, 2));
        const int nHour = number(11, 2);
        const int nMinute = number(14, 2);
        if (!date.isValid() || !QTime::isValid(nHour, nMinute, 0))
            return -1;
        if (date != m_Date || nHour != m_nHour)
        {
            m_Date = date;
            m_nHour = nHour;
            m_nHourStart = QDateTime(date, QTime(nHour, 0)).toSecsSinceEpoch();
        }
        return m_nHourStart + nMinute * 60;
    }

private:
    QDate m_Date;
    int m_nHour = -1;
    qint64 m_nHourStart = 0;
};

void warn(QWidget* pParent, const QString& strTitle, const QString& strText)
{
    QMessageBox::warning(pParent, strTitle, strText, QMessageBox::Ok);
}
} // namespace

CDBImportData::CDBImportData(QObject* parent) : QSqlTableModel(parent, QSqlDatabase()) {}

QString CDBImportData::translateDictText(QTranslator& translator, const char* pszText)
{
    const QString strText = translator.translate("CDataDict", pszText);
    return strText.isNull() ? QString::fromLatin1(pszText) : strText;
}

int CDBImportData::askSerialNr(int nSerialNr)
{
    if (nSerialNr >= 0)
        return nSerialNr;
    CSerialNrDlg dlg(nullptr);
    return dlg.exec() == QDialog::Accepted ? dlg.getSerialNr() : -1;
}

void CDBImportData::bindValue(QSqlQuery& query, int nDictIndex, QVariant& value)
{
    static const QRegExp DURATION(QStringLiteral("[0-9]*:[0-9]{2,2}"), Qt::CaseSensitive, QRegExp::RegExp);
    const QString strText = value.toString();
    if (strText == QLatin1String("-"))
    {
        value = 0;
    }
    else if (DURATION.exactMatch(strText))
    {
        const int nHours = strText.section(QLatin1Char(':'), 0, 0).toInt();
        const int nMinutes = strText.right(2).toInt();
        value = nHours * 3600 + nMinutes * 60;
    }
    else if (value.type() == QVariant::String && strText.isEmpty())
    {
        value = QVariant(); // an empty cell is a missing value
    }
    query.bindValue(QLatin1Char(':') + column(nDictIndex), value, QSql::In);
}

bool CDBImportData::mapHeaders(CVokDelimTextModel* pModel, const QModelIndex& parent, QMap<int, int>* pMap)
{
    const QString strFirst = headerText(pModel, 0);

    QTranslator english;
    QTranslator german;
    for (auto locale : {std::make_pair(&english, "en"), std::make_pair(&german, "de")})
    {
        // Compiled-in files: the import must not depend on the current folder.
        if (!loadCommonTranslation(*locale.first, QLatin1String(locale.second)))
        {
            warn(QApplication::activeWindow(), PROGRAM_NAME,
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
        warn(QApplication::activeWindow(), PROGRAM_NAME, tr("Unknown file format of CSV file."));
        return false;
    }

    QStringList translated;
    for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
        translated.append(translateDictText(*pChosen, abbreviation(i).constData()));

    for (int c = 0; c < pModel->columnCount(parent); ++c)
    {
        const QString strHeader = renamedHeader(headerText(pModel, c));
        const int nIndex = translated.indexOf(strHeader);
        if (nIndex < 0)
        {
            warn(nullptr, QApplication::applicationName(), tr("Unknown column '%1'").arg(strHeader));
            return false;
        }
        if (!column(nIndex).isEmpty())
            pMap->insert(nIndex, c);
    }
    return true;
}

bool CDBImportData::importData(CVokDelimTextModel* pModel, const QModelIndex& parent,
                               QProgressDialog* pProgress)
{
    const int nRows = pModel->rowCount(parent);
    if (nRows < 3)
    {
        warn(QApplication::activeWindow(), QApplication::applicationName(),
             tr("The import data seem to have only %1 rows. A minimum of 3 rows is required.").arg(nRows));
        return false;
    }

    QMap<int, int> columnMap;
    if (!mapHeaders(pModel, parent, &columnMap))
        return false;

    QStringList columns;
    QStringList placeholders;
    auto addColumn = [&](int nIndex)
    {
        columns.append(column(nIndex));
        placeholders.append(QLatin1Char(':') + column(nIndex));
    };
    for (auto it = columnMap.cbegin(); it != columnMap.cend(); ++it)
        addColumn(it.key());

    const QDateTime t0 = QDateTime::fromString(cellText(pModel, parent, 0, 0), TIME_FORMAT);
    const QDateTime t1 = QDateTime::fromString(cellText(pModel, parent, 1, 0), TIME_FORMAT);
    const qint64 nStep = (t0.isValid() && t1.isValid()) ? t0.secsTo(t1) : 0;
    const int nTimeSpan = timeSpanOfStep(nStep);
    const QString strTable = nTimeSpan < 0 ? QStringLiteral("ValueLogs") : QStringLiteral("SecLogs");
    if (nTimeSpan >= 0)
        addColumn(DDI_LogEntryTimeSpan);
    if (!columnMap.contains(DDI_SerialNumber))
    {
        columnMap.insert(DDI_SerialNumber, -1);
        addColumn(DDI_SerialNumber);
    }

    if (pProgress)
        pProgress->setLabelText(tr("Writing data into database..."));

    QSqlDatabase db = QSqlDatabase::database(CONNECTION);
    db.transaction();
    QSqlQuery query(db);
    if (!query.prepare(
            QStringLiteral("INSERT OR REPLACE INTO %1 (%2) VALUES (%3)")
                .arg(strTable, columns.join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')))))
    {
        warn(QApplication::activeWindow(), QApplication::applicationName(),
             tr("Error on preparing the SQL statement: '%1'").arg(query.lastError().text()));
        db.rollback();
        return false;
    }

    const int nProgressStep = qMax(1, nRows / PROGRESS_STEPS);
    int nSerialNr = -1;
    CLocalTimeParser timeParser;
    QString strPreviousStamp;
    qint64 nPreviousBound = 0;
    for (int i = 0; i < pModel->rowCount(parent); ++i)
    {
        for (auto it = columnMap.cbegin(); it != columnMap.cend(); ++it)
        {
            const int k = it.key();
            const int c = it.value();
            QString strCell;
            if (c < 0)
            {
                nSerialNr = askSerialNr(nSerialNr);
                if (nSerialNr < 0)
                {
                    db.rollback();
                    return false;
                }
                strCell = QString::number(nSerialNr);
            }
            else
            {
                strCell = cellText(pModel, parent, i, c);
            }

            if (k != DDI_LogTimestamp)
            {
                QVariant value(strCell);
                bindValue(query, k, value);
                continue;
            }

            // Rows of one minute share a stamp in the file; each further one moves on a second
            // after the one before, so no row replaces another.
            qint64 nStamp = timeParser.secsSinceEpoch(strCell);
            if (nStamp < 0)
            {
                warn(QApplication::activeWindow(), QApplication::applicationName(),
                     tr("The time stamp '%1' in data row %2 is not valid. Nothing has been imported.")
                         .arg(strCell)
                         .arg(i + 1));
                db.rollback();
                return false;
            }
            if (strCell == strPreviousStamp)
                nStamp = nPreviousBound + 1;
            strPreviousStamp = strCell;
            nPreviousBound = nStamp;
            QVariant value{qint64(quint32(nStamp))};
            bindValue(query, DDI_LogTimestamp, value);
        }
        if (nTimeSpan >= 0)
        {
            QVariant span(nTimeSpan);
            bindValue(query, DDI_LogEntryTimeSpan, span);
        }

        if (!query.exec())
        {
            warn(QApplication::activeWindow(), QApplication::applicationName(),
                 tr("Error on inserting an SQL record: '%1'").arg(query.lastError().text()));
            db.rollback();
            return false;
        }
        if (pProgress)
        {
            if (pProgress->wasCanceled())
            {
                db.rollback();
                return false;
            }
            if (i % nProgressStep == 0 || i == nRows - 1)
                pProgress->setValue(i);
        }
    }
    if (!db.commit())
    {
        warn(QApplication::activeWindow(), QApplication::applicationName(),
             tr("Error on inserting an SQL record: '%1'").arg(db.lastError().text()));
        db.rollback();
        return false;
    }
    return true;
}
