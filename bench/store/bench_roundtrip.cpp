// A year of each unit type's logs in Berlin time, the night the clocks go back included: every tab
// is exported, imported into an empty table and exported again. Prints for each tab whether the two
// files are byte-identical and the row counts equal, with the time each step took; exits non-zero
// when a tab does not come back unchanged.
#include "BenchEnvironment.h"
#include "DBImportData.h"
#include "FanValues.h"
#include "FanValues70.h"
#include "LogExport.h"
#include "MinuteLogDB.h"
#include "SecLogDB.h"
#include "SecLogDB70.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <cstdio>
#include <ctime>

namespace
{
const char* const CONNECTION = "UIThread";
const qint64 YEAR_START = 1767222000; // 2026-01-01 00:00 in Berlin
const int MINUTES_PER_YEAR = 525600;
const quint32 SERIAL_NR = 4711;

struct STab
{
    bool plus;
    int span; // -1: minute values
};

QString tableOf(const STab& tab)
{
    return QString(tab.span < 0 ? "ValueLogs" : "SecLogs") + (tab.plus ? "70" : "");
}

int rowCount(const QString& table)
{
    QSqlQuery query(QSqlDatabase::database(CONNECTION));
    query.exec("SELECT count(*) FROM " + table);
    query.next();
    return query.value(0).toInt();
}

void run(const QString& sql)
{
    QSqlQuery query(QSqlDatabase::database(CONNECTION));
    if (!query.exec(sql))
        qFatal("%s failed", qPrintable(sql));
}

void randomize(quint8* pBytes, int nSize)
{
    for (int i = 0; i < nSize; ++i)
        pBytes[i] = quint8(QRandomGenerator::global()->bounded(256));
}

void fill(const STab& tab)
{
    QSqlDatabase db = QSqlDatabase::database(CONNECTION);
    if (tab.span < 0)
    {
        db.transaction();
        for (int i = 0; i < MINUTES_PER_YEAR; ++i)
        {
            const QDateTime minute = QDateTime::fromSecsSinceEpoch(YEAR_START + 60 * qint64(i));
            bool bOk;
            if (tab.plus)
            {
                SPrimLogEntry_70 record;
                randomize(record.m_Bytes, sizeof(record.m_Bytes));
                bOk = CMinuteLogDB70(CONNECTION)
                          .logValues(CFanValues70(record), i / 60, SERIAL_NR, 3, 4, minute);
            }
            else
            {
                SPrimLogEntry record;
                randomize(record.m_Bytes, sizeof(record.m_Bytes));
                bOk = CMinuteLogDB(CONNECTION)
                          .logValues(CFanValues(record), i / 60, 50, SERIAL_NR, 1, 2, 3, 4, minute, -70);
            }
            if (!bOk)
                qFatal("minute row %d not stored", i);
        }
        db.commit();
        return;
    }
    const qint64 nLength = CSecLogDBBase::getTimeSpanSecs(tab.span);
    const int nEntries = int((365 * 86400LL) / nLength);
    QDateTime t = QDateTime::fromSecsSinceEpoch(YEAR_START + nLength / 2);
    bool bOk;
    if (tab.plus)
    {
        QVector<SSecLogEntry_70> entries(nEntries);
        for (auto& entry : entries)
        {
            randomize(entry.m_Bytes, SSecLogEntry_70::SIZE);
            entry.m_Bytes[25] &= 0xF3; // the flags the store keeps
        }
        bOk = CSecLogDB70(CONNECTION)
                  .saveSecLogValues(CLogging_70::EMaxTimeSpan(tab.span), entries, SERIAL_NR, t);
    }
    else
    {
        QVector<SSecLogEntry> entries(nEntries);
        for (auto& entry : entries)
        {
            randomize(entry.m_Bytes, sizeof(entry.m_Bytes));
            entry.m_Bytes[25] &= 0xF3;
        }
        bOk = CSecLogDB(CONNECTION).saveSecLogValues(CLogging::EMaxTimeSpan(tab.span), entries, SERIAL_NR, t);
    }
    if (!bOk)
        qFatal("span entries not stored");
}

void exportTab(const STab& tab, const QString& path)
{
    QSqlQueryModel view;
    if (tab.span < 0 && tab.plus)
        CMinuteLogDB70(CONNECTION).setupQueryModelForDay(view, QDate(), SERIAL_NR);
    else if (tab.span < 0)
        CMinuteLogDB(CONNECTION).setupQueryModelForDay(view, QDate(), SERIAL_NR);
    else if (tab.plus)
        CSecLogDB70(CONNECTION).setupQueryModelForTimeSpan(view, tab.span, SERIAL_NR);
    else
        CSecLogDB(CONNECTION).setupQueryModelForTimeSpan(view, tab.span, SERIAL_NR);
    const CLogExport logExport(view);
    view.clear();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !logExport.write(&file, [](int) { return true; }) ||
        !file.commit())
        qFatal("export to %s failed", qPrintable(path));
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

double msSince(QElapsedTimer& timer)
{
    const double dMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    return dMs;
}
} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir folder;
    prepareBenchEnvironment(folder);
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QCoreApplication app(argc, argv);
    app.setApplicationName("bench_roundtrip");
    if (!CMinuteLogDB(CONNECTION).createTable() || !CMinuteLogDB70(CONNECTION).createTable() ||
        !CSecLogDB(CONNECTION).createTable() || !CSecLogDB70(CONNECTION).createTable())
        return 1;

    bool bAllEqual = true;
    for (const bool bPlus : {false, true})
        for (const int nSpan : {-1, 0, 1, 2})
        {
            const STab tab{bPlus, nSpan};
            const QString table = tableOf(tab);
            const QString first = folder.filePath("first.csv"), second = folder.filePath("second.csv");
            run("DELETE FROM " + table);
            fill(tab);
            const int nStored = rowCount(table);
            QElapsedTimer timer;
            timer.start();
            exportTab(tab, first);
            const double dExport = msSince(timer);
            run("DELETE FROM " + table);
            msSince(timer);
            {
                QFile file(first);
                file.open(QIODevice::ReadOnly);
                CDBImportData import;
                if (!import.importData(&file, nullptr))
                    qFatal("import of %s failed", qPrintable(table));
            }
            const double dImport = msSince(timer);
            const int nImported = rowCount(table);
            exportTab(tab, second);
            const bool bEqual = contents(first) == contents(second) && nImported == nStored;
            bAllEqual = bAllEqual && bEqual;
            std::printf("%-11s %-13s %7d rows stored, %7d imported; export %6.0f ms, import %6.0f ms; "
                        "second export %s\n",
                        qPrintable(table),
                        nSpan < 0 ? "minute values" : qPrintable(QString("span %1").arg(nSpan)), nStored,
                        nImported, dExport, dImport, bEqual ? "byte-identical" : "DIFFERS");
        }
    return bAllEqual ? 0 : 1;
}
