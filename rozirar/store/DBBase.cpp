#include "DBBase.h"

#include "CommonTranslations.h"
#include "DataDict.h"
#include "LogFileAccess.h"
#include "StoreMessages.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStandardPaths>
#include <QThread>
#include <QTranslator>

namespace
{
const char* const DRIVER = "QSQLITE";
const char* const FILE_NAME = "/Log2.sql";

// Two threads write the file through their own connections (minute rows in the user-interface
// thread, second-log chunks in the polling thread, the import in one long transaction), and
// another program may hold it locked. The polling thread waits for the other writer; the
// user-interface thread waits only briefly, so a lock never freezes the window, and its
// writers keep what they could not write (the minute log retries at the next poll).
const char* const WORKER_CONNECT_OPTIONS = "QSQLITE_BUSY_TIMEOUT=30000";
const char* const UI_CONNECT_OPTIONS = "QSQLITE_BUSY_TIMEOUT=500";

bool inUserInterfaceThread()
{
    const QCoreApplication* pApp = QCoreApplication::instance();
    return pApp && QThread::currentThread() == pApp->thread();
}

QString column(int nIndex)
{
    return CDataDict::instance()->getText(nIndex, CDataDict::COL_COLUMN_NAME);
}

// Write-ahead logging lets the views keep reading (a query model holds its statement open
// until every row is fetched) while the other thread commits.
void enableWriteAheadLog(QSqlDatabase& db)
{
    if (CLogFileAccess::isReadOnly(db))
        return;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL;")))
        qDebug() << "CDBBase: unable to switch to write-ahead logging:" << query.lastError().text();
}

QString sqlTextLiteral(const QString& strText)
{
    return QString(strText).replace(QLatin1Char('\''), QLatin1String("''"));
}

// Hours and minutes of a number of seconds. The computed fifth level can be negative (the unit's
// level times may exceed the span): its sign goes in front, hours and minutes are of the amount.
const char* const DURATION_FORMAT =
    "CASE WHEN (%1) = 0 THEN '-' ELSE CASE WHEN (%1) < 0 THEN '-' ELSE '' END || "
    "CAST( abs(%1) / 3600 AS TEXT ) || ':' || strftime('%M','00:00', abs(%1) || ' seconds' ) END";

bool isDuration(int nIndex)
{
    switch (nIndex)
    {
    case DDI_TimeComLev0:
    case DDI_TimeComLev1:
    case DDI_TimeComLev2:
    case DDI_TimeComLev3:
    case DDI_TimeSleepMode:
    case DDI_TimeTurboMode:
    case DDI_TimeAutoAlt:
    case DDI_TimeDefExh:
    case DDI_TimeMinAir:
    case DDI_TimeSupCond:
    case DDI_TimeHumInp:
    case DDI_TimeAbsDrying:
    case DDI_TimeRelDrying:
    case DDI_TimeCooling:
    case DDI_TimeCO2Ventilation:
    // the durations of the plus unit only, stored in seconds like the others
    case DDI_TimeServiceMode:
    case DDI_TimeCO2Inp:
    case DDI_TimeHumCO2Inp:
        return true;
    default:
        return false;
    }
}

// The abbreviations of the two defrosting reasons in English and in German. A reduction reason
// is stored as text in the language the program ran in, so rows of both languages meet in one
// table.
const QStringList& defrostAbbreviationsOfBothLanguages()
{
    static const QStringList s_forms = []
    {
        QStringList forms;
        for (const char* pszLocale : {"en", "de"})
        {
            QTranslator translator;
            const bool bLoaded = loadCommonTranslation(translator, QLatin1String(pszLocale));
            for (int i : {int(DDI_DefrostBypass), int(DDI_DefrostSupply)})
            {
                const QByteArray text =
                    CDataDict::instance()->getText(i, CDataDict::COL_ABBREVIATION_RAW).toLatin1();
                const QString strTranslated =
                    bLoaded ? translator.translate("CDataDict", text.constData()) : QString();
                forms.append(strTranslated.isEmpty() ? QString::fromLatin1(text) : strTranslated);
            }
        }
        return forms;
    }();
    return s_forms;
}

// The stored reduction reason is one of the defrosting reasons, in either language or in the
// language the program runs in now.
QString isDefrostingCondition()
{
    const CDataDict* pDict = CDataDict::instance();
    QStringList forms = defrostAbbreviationsOfBothLanguages();
    for (int i : {int(DDI_DefrostBypass), int(DDI_DefrostSupply)})
        forms << pDict->getText(i, CDataDict::COL_ABBREVIATION);
    forms.removeDuplicates();
    QStringList literals;
    for (const QString& strForm : forms)
        literals << QLatin1Char('\'') + sqlTextLiteral(strForm) + QLatin1Char('\'');
    return QStringLiteral("%1 IN (%2)").arg(column(DDI_ReductionReason), literals.join(QLatin1Char(',')));
}

// Supply temperature: the virtual one while defrosting, else the sensor value.
QString supplyTempExpression()
{
    return QStringLiteral("(CASE WHEN %1 THEN %2 ELSE %3 END)")
        .arg(isDefrostingCondition(), column(DDI_SupplyTempVirt), column(DDI_SupplyTemp));
}

QString efficiencyExpression()
{
    return QStringLiteral(
               "(CASE WHEN %4==0 THEN 0 WHEN abs(%1 - %2) < 2 THEN 0 ELSE round((1-(%2-%3)/(%2-%1)) * "
               "100, 0) END)")
        .arg(column(DDI_OutdoorTemp), column(DDI_ExtractTemp), supplyTempExpression(),
             column(DDI_ExtractAirFlow));
}

// Length of the entry's span less the time in comfort levels 1 to 4.
QString remainingTimeExpression()
{
    return QStringLiteral(
               "CASE WHEN %1 = 0 THEN 900 WHEN %1 = 1 THEN 86400 ELSE 2592000 END - %2 - %3 - %4 - %5")
        .arg(column(DDI_LogEntryTimeSpan), column(DDI_TimeComLev0), column(DDI_TimeComLev1),
             column(DDI_TimeComLev2), column(DDI_TimeComLev3));
}

QString spanHoursExpression()
{
    return QStringLiteral("CASE WHEN %1 = 0 THEN 0.25 WHEN %1 = 1 THEN 24 ELSE 720 END")
        .arg(column(DDI_LogEntryTimeSpan));
}
// A prepared statement owned by the connection's driver, so it goes when the connection goes.
class CPreparedStatement : public QObject
{
public:
    CPreparedStatement(const QString& strStatement, const QSqlDatabase& db)
        : QObject(db.driver()), m_Query(db)
    {
        setObjectName(strStatement);
    }
    QSqlQuery m_Query;
};
} // namespace

CDBBase::CDBBase(int nTableKind, const QString& strConnectionName, bool bGraphics, QObject* parent)
    : QObject(parent), m_nTableKind(nTableKind), m_bGraphics(bGraphics)
{
    if (QSqlDatabase::contains(strConnectionName))
    {
        // The connection of this thread lives on; its file was fixed when it was first opened.
        m_db = QSqlDatabase::database(strConnectionName, false);
        if (!m_db.isOpen() && m_db.open())
            enableWriteAheadLog(m_db);
        return;
    }

    const QString strPath = databasePath();
    m_db = QSqlDatabase::addDatabase(DRIVER, strConnectionName);
    m_db.setConnectOptions(inUserInterfaceThread() ? UI_CONNECT_OPTIONS : WORKER_CONNECT_OPTIONS);
    if (CLogFileAccess::canWriteFolderOf(strPath))
        m_db.setDatabaseName(strPath);
    else if (!CLogFileAccess::setReadOnlyName(m_db, strPath))
        CStoreMessages::instance().showMessage(
            false, tr("The folder of the log file '%1' cannot be written. The logs shown may be incomplete.")
                       .arg(strPath));
    if (m_db.open())
        enableWriteAheadLog(m_db);
    else
        CStoreMessages::instance().showMessage(
            false, tr("Unable to open database file '%1'. \n'%2'").arg(strPath, m_db.lastError().text()));
}

CDBBase::~CDBBase() = default;

QString CDBBase::databasePath()
{
    const QString strDir =
        QDir::cleanPath(QStandardPaths::standardLocations(QStandardPaths::AppLocalDataLocation).value(0));
    QDir().mkpath(strDir);
    return strDir + FILE_NAME;
}

QString CDBBase::getTableName() const
{
    switch (m_nTableKind)
    {
    case TK_VALUE_LOGS:
        return QStringLiteral("ValueLogs");
    case TK_SEC_LOGS:
        return QStringLiteral("SecLogs");
    case TK_VALUE_LOGS_70:
        return QStringLiteral("ValueLogs70");
    case TK_SEC_LOGS_70:
        return QStringLiteral("SecLogs70");
    default:
        return QString();
    }
}

bool CDBBase::isFieldSelected(int)
{
    return true;
}

QSqlError CDBBase::statementError(const QSqlQuery& query, const QSqlDatabase& db)
{
    const QSqlError error = query.lastError();
    return error.text().trimmed().isEmpty() ? db.lastError() : error;
}

void CDBBase::reportReadFailure(const QSqlError& error)
{
    if (error.type() == QSqlError::NoError)
        return;
    qDebug() << "CDBBase: a query failed:" << error.text();
    if (CStoreMessages::causeOf(error) == CStoreMessages::CAUSE_DAMAGED)
        CStoreMessages::instance().reportDamage(
            tr("The log database '%1' is damaged: logged values may be missing from what is shown. Start "
               "tolVane-Vozudoz again to have it checked.\n'%2'")
                .arg(databasePath(), error.text()));
}

QString CDBBase::statementFailureText(const QSqlQuery& query, const QSqlDatabase& db)
{
    return tr("Unable to run sql statement\n'%1'.\n'%2'")
        .arg(query.lastQuery(), statementError(query, db).text());
}

QSqlQuery* CDBBase::preparedStatement(const QString& strStatement)
{
    QSqlDriver* pDriver = m_db.driver();
    if (!pDriver)
        return nullptr;
    if (auto* pPrepared = pDriver->findChild<CPreparedStatement*>(strStatement, Qt::FindDirectChildrenOnly))
        return &pPrepared->m_Query;
    auto* pPrepared = new CPreparedStatement(strStatement, m_db);
    if (!pPrepared->m_Query.prepare(strStatement))
    {
        qDebug() << "CDBBase: unable to prepare" << strStatement << pPrepared->m_Query.lastError().text();
        delete pPrepared;
        return nullptr;
    }
    return &pPrepared->m_Query;
}

bool CDBBase::ensureTableAndColumns(const QString& strCreateStatement)
{
    const QString strTable = getTableName();
    const QString strPragma = QStringLiteral("PRAGMA table_info(%1);").arg(strTable);
    QSqlQuery query(m_db);
    QSet<QString> columns;
    auto readColumns = [&]
    {
        if (query.exec(strPragma))
            while (query.next())
                columns.insert(query.value(1).toString());
    };

    readColumns();
    if (columns.isEmpty())
    {
        if (!query.exec(strCreateStatement))
        {
            CStoreMessages::instance().showMessage(true, statementFailureText(query, m_db));
            return false;
        }
        readColumns();
    }

    const CDataDict* pDict = CDataDict::instance();
    for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
    {
        const QString strColumn = pDict->getText(i, CDataDict::COL_COLUMN_NAME);
        if (!(pDict->getTableMask(i) & m_nTableKind) || strColumn.isEmpty() || columns.contains(strColumn))
            continue;

        QString strAlter = QStringLiteral("ALTER TABLE %1 add \"%2\" ").arg(strTable, strColumn);
        switch (pDict->getType(i))
        {
        case CDataDict::VT_INT:
        case CDataDict::VT_FLAG:
            strAlter += QLatin1String("int;");
            break;
        case CDataDict::VT_REAL:
            strAlter += QLatin1String("real;");
            break;
        case CDataDict::VT_TEXT:
            strAlter += QLatin1String("text;");
            break;
        default:
            return false;
        }
        if (!query.exec(strAlter))
        {
            CStoreMessages::instance().showMessage(true, statementFailureText(query, m_db));
            return false;
        }
    }
    adoptWrappedSerialNumbers();
    return true;
}

void CDBBase::adoptWrappedSerialNumbers()
{
    // Looked for first: the update would need write access even when it changes nothing, and a
    // read-only file must still open.
    const QString strSerial = column(DDI_SerialNumber);
    QSqlQuery query(m_db);
    if (!query.exec(
            QStringLiteral("SELECT 1 FROM %1 WHERE %2 < 0 LIMIT 1;").arg(getTableName(), strSerial)) ||
        !query.next())
        return;
    query.finish();
    if (!query.prepare(QStringLiteral("UPDATE OR REPLACE %1 SET %2 = %2 + ? WHERE %2 < 0;")
                           .arg(getTableName(), strSerial)))
        return;
    query.addBindValue(SERIAL_NUMBER_WRAP);
    if (!query.exec())
        qDebug() << "CDBBase: negative serial numbers stay as stored:" << query.lastError().text();
}

bool CDBBase::deleteRecords(qint64 nSerialNr)
{
    QSqlError error;
    if (deleteRows(nSerialNr, error))
        return true;
    showDeleteFailure(error);
    return false;
}

bool CDBBase::deleteRows(qint64 nSerialNr, QSqlError& error)
{
    QSqlQuery query(m_db);
    bool bOk = false;
    if (nSerialNr < 0)
    {
        bOk = query.exec(QStringLiteral("DELETE FROM %1;").arg(getTableName()));
    }
    else
    {
        bOk = query.prepare(
            QStringLiteral("DELETE FROM %1 WHERE %2 = ?;").arg(getTableName(), column(DDI_SerialNumber)));
        query.addBindValue(nSerialNr);
        bOk = bOk && query.exec();
    }
    if (!bOk)
        error = statementError(query, m_db);
    return bOk;
}

void CDBBase::showDeleteFailure(const QSqlError& error)
{
    CStoreMessages::instance().showMessage(false, tr("Unable to delete records. \n'%2'").arg(error.text()));
}

bool CDBBase::deleteRecords(qint64 nSerialNr, const QList<CDBBase*>& tables)
{
    if (tables.isEmpty())
        return true;
    QSqlDatabase db = tables.first()->m_db;
    if (!db.transaction())
    {
        showDeleteFailure(db.lastError());
        return false;
    }
    QSqlError error;
    bool bOk = true;
    for (CDBBase* pTable : tables)
    {
        bOk = pTable->deleteRows(nSerialNr, error);
        if (!bOk)
            break;
    }
    if (bOk && db.commit())
        return true;
    if (bOk)
        error = db.lastError();
    // The box waits for the user: the other writers must not wait for it on the write lock.
    db.rollback();
    showDeleteFailure(error);
    return false;
}

void CDBBase::getSerialNumbers(QList<quint32>& list)
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT DISTINCT %1 FROM %2 ORDER BY 1")
                        .arg(column(DDI_SerialNumber), getTableName())))
    {
        reportReadFailure(statementError(query, m_db));
        return;
    }
    while (query.next())
        if (!query.isNull(0))
            list.append(quint32(query.value(0).toLongLong())); // a negative one as an older program stored it
    reportReadFailure(query.lastError());
}

QString CDBBase::addSerialNrCondition(qint64 nSerialNr, QString strCondition)
{
    if (nSerialNr < 0)
        return strCondition;
    const QString strSerial = QStringLiteral("%1=%2").arg(column(DDI_SerialNumber)).arg(nSerialNr);
    if (strCondition.isEmpty())
        return strSerial;
    return QStringLiteral("(%1 AND %2)").arg(strCondition, strSerial);
}

void CDBBase::setupQueryModel(QSqlQueryModel& model, qint64 nSerialNr, QString strCondition)
{
    buildQueryModel(model, nSerialNr, strCondition);
}

void CDBBase::setupQueryModel70(QSqlQueryModel& model, qint64 nSerialNr, QString strCondition)
{
    buildQueryModel(model, nSerialNr, strCondition);
}

QString CDBBase::columnExpression(int nIndex) const
{
    const QString c = column(nIndex);
    switch (nIndex)
    {
    case DDI_LogTimestamp:
        // The diagrams take the stored Unix seconds: local-time text is ambiguous in the hour
        // the clocks go back, and parsing it costs more than reading the rows.
        if (m_bGraphics)
            return c;
        return QStringLiteral("strftime('%d.%m.%Y %H:%M',%1, 'unixepoch', 'localtime')").arg(c);
    case DDI_Restarted:
    case DDI_SerialNumber:
        return QStringLiteral("CASE WHEN %1 = 0 THEN '-' ELSE %1 END ").arg(c);
    case DDI_Pressure:
        return QStringLiteral("CASE WHEN %1 <= 700 THEN '-' ELSE %1 END").arg(c);
    case DDI_AirDensity:
        return QStringLiteral(
                   "CASE WHEN %1 <= 700 THEN '-' ELSE round( %1*100 / ( (%2 + 273.15) * 287.058), 3) END")
            .arg(column(DDI_Pressure), column(DDI_ExtractTemp));
    case DDI_RecoveryPercent:
        if (m_nTableKind == TK_VALUE_LOGS)
            return QStringLiteral("CASE WHEN %1>0 THEN '' ELSE %2 END")
                .arg(column(DDI_SumCoolBypassOpen), efficiencyExpression());
        return QStringLiteral(
                   "CASE WHEN %1>0 AND %2>0 THEN round( CAST(%1 AS REAL) / CAST( %2 AS REAL) * 100) ELSE '' "
                   "END")
            .arg(column(DDI_EnergyRecovered), column(DDI_EnergyExtracted));
    case DDI_RecoveryWatt:
        return QStringLiteral("CASE WHEN abs(%1 - %2) < 2 THEN 0 ELSE round(%4*(%3-%1)/3, 0) END")
            .arg(column(DDI_OutdoorTemp), column(DDI_ExtractTemp), supplyTempExpression(),
                 column(DDI_ExtractAirFlow));
    case DDI_TimeComLev4:
    {
        const QString strExpr = QString(DURATION_FORMAT).arg(remainingTimeExpression());
        qDebug() << "CDBBase::setupQueryModel:" << strExpr;
        return strExpr;
    }
    case DDI_PowerConsumption:
        return QStringLiteral(
                   "round( %2*CASE WHEN (%1/%2) < 51 THEN (%1/%2*0.13 +  1.0)     ELSE                   "
                   "(%1/%2*0.49 - 17.0) END,1)")
            .arg(column(DDI_AirExchanged), spanHoursExpression());
    default:
        if (isDuration(nIndex))
            return QString(DURATION_FORMAT).arg(c);
        return c;
    }
}

QString CDBBase::selectStatement(qint64 nSerialNr, const QString& strCondition, QList<int>& selected)
{
    const CDataDict* pDict = CDataDict::instance();
    selected.clear();
    for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
        if (isFieldSelected(i) && (pDict->getTableMask(i) & m_nTableKind))
            selected.append(i);

    QStringList expressions;
    for (int i : selected)
    {
        const QString strExpr = columnExpression(i);
        if (!strExpr.isEmpty())
            expressions.append(strExpr);
    }

    QString strStatement = QLatin1String("SELECT ") + expressions.join(QLatin1Char(','));
    const QString strWhere = addSerialNrCondition(nSerialNr, strCondition);
    if (strWhere.isEmpty())
        strStatement +=
            QStringLiteral(" FROM %1 ORDER BY %3 ;").arg(getTableName(), column(DDI_LogTimestamp));
    else
        strStatement += QStringLiteral(" FROM %1 WHERE %2 ORDER BY %3 ;")
                            .arg(getTableName(), strWhere, column(DDI_LogTimestamp));
    return strStatement;
}

void CDBBase::buildQueryModel(QSqlQueryModel& model, qint64 nSerialNr, const QString& strCondition)
{
    model.clear();

    const CDataDict* pDict = CDataDict::instance();
    QList<int> selected;
    const QString strStatement = selectStatement(nSerialNr, strCondition, selected);
    model.setQuery(strStatement, m_db);
    qDebug() << "model.setQuery" << strStatement;
    reportReadFailure(model.lastError());

    for (int nColumn = 0; nColumn < selected.size(); ++nColumn)
    {
        const int i = selected[nColumn];
        QString strHeader = pDict->getText(i, CDataDict::COL_ABBREVIATION) + QLatin1Char('\n');
        const QString strUnit = pDict->getText(i, CDataDict::COL_UNIT);
        if (!strUnit.isEmpty())
            strHeader += QStringLiteral("[%1]").arg(strUnit);
        model.setHeaderData(nColumn, Qt::Horizontal, strHeader, Qt::DisplayRole);
        model.setHeaderData(nColumn, Qt::Horizontal, pDict->getText(i, CDataDict::COL_DESCRIPTION),
                            Qt::ToolTipRole);
    }
}
