// Figures of the log store, each beside a plain SQLite baseline measured in the same run on the
// same file: second-log chunks against a prepared insert of the same rows in the same
// transactions; the day list and the day query against a full scan of a year of minute rows;
// the CSV export of a year of minute rows (its memory) and the CSV import against the sqlite3
// shell writing and importing the same rows; the import of a few rows followed by megabytes of
// lines without values against the rows alone.
#include "BenchEnvironment.h"
#include "DBImportData.h"
#include "LogExport.h"
#include "LogFileCheck.h"
#include "MinuteLogDB.h"
#include "SecLogDB.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <sqlite3.h>

namespace
{
const char* const CONNECTION = "UIThread";
const qint64 YEAR_START = 1704067200; // 2024-01-01 00:00 UTC
const int MINUTES_PER_YEAR = 525600;

QSqlDatabase db()
{
    return QSqlDatabase::database(CONNECTION);
}

void run(const QString& sql)
{
    QSqlQuery query(db());
    if (!query.exec(sql))
        qFatal("%s failed", qPrintable(sql));
}

// Peak resident memory since the last reset, in MiB (Linux: VmHWM, reset through clear_refs).
void resetPeakMemory()
{
    malloc_trim(0); // freed memory back to the system first, so growth is not hidden in it
    QFile refs("/proc/self/clear_refs");
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

double peakMemoryMiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void secondLogChunks()
{
    const int nEntries = 10000;
    QVector<SSecLogEntry> entries(nEntries);
    QRandomGenerator random(4711);
    for (SSecLogEntry& e : entries)
    {
        for (quint8& b : e.m_Bytes)
            b = quint8(random.bounded(256));
        e.m_Bytes[25] &= 0xF3; // entry state 0: every entry is stored
    }

    const QDateTime start = QDateTime::fromSecsSinceEpoch(YEAR_START);
    auto ours = [&]
    {
        QDateTime t = start;
        for (int i = 0; i < nEntries; i += 10)
        {
            QVector<SSecLogEntry> chunk = entries.mid(i, 10);
            CSecLogDB store(CONNECTION);
            if (!store.saveSecLogValues(CLogging::TS_QUARTER_HOUR, chunk, 4711, t))
                qFatal("store failed");
        }
    };

    // The same rows, computed beforehand, through one prepared statement.
    QList<QVariantList> rows;
    {
        run("DELETE FROM SecLogs");
        ours();
        QSqlQuery query(db());
        query.exec("SELECT * FROM SecLogs ORDER BY LogTimestamp");
        while (query.next())
        {
            QVariantList row;
            for (int c = 0; c < query.record().count(); ++c)
                row.append(query.value(c));
            rows.append(row);
        }
    }
    const int nColumns = rows.value(0).size();
    QStringList marks;
    for (int c = 0; c < nColumns; ++c)
        marks.append("?");
    auto plain = [&]
    {
        QSqlQuery query(db());
        query.prepare(QString("INSERT OR REPLACE INTO SecLogs VALUES (%1)").arg(marks.join(',')));
        for (int i = 0; i < rows.size(); i += 10)
        {
            db().transaction();
            for (int r = i; r < std::min(i + 10, int(rows.size())); ++r)
            {
                for (const QVariant& v : rows[r])
                    query.addBindValue(v);
                query.exec();
            }
            db().commit();
        }
    };
    auto empty = [] { run("DELETE FROM SecLogs"); };
    const double dOurs = best(ours, empty);
    const double dPlain = best(plain, empty);
    std::printf("second-log store, %d entries in chunks of 10: %.1f ms; plain prepared insert: %.1f ms; "
                "ratio %.2f (target >= 0.70)\n",
                nEntries, dOurs, dPlain, dPlain / dOurs);
}

void fillYearOfMinuteRows()
{
    run("DELETE FROM ValueLogs");
    QSqlQuery query(db());
    query.prepare("INSERT INTO ValueLogs (LogTimestamp, SNR, OM, AFL, TET, HOU, TSU, PRS, OPH, RSSI) "
                  "VALUES (?, 4711, 'cmf', 90, 21.5, 45, 18.0, 1013, ?, -60)");
    db().transaction();
    for (int i = 0; i < MINUTES_PER_YEAR; ++i)
    {
        query.addBindValue(YEAR_START + 60 * qint64(i));
        query.addBindValue(i / 60);
        query.exec();
    }
    db().commit();
}

void minuteQueries()
{
    fillYearOfMinuteRows();
    CMinuteLogDB minute(CONNECTION);
    int nScanned = 0;
    const double dScan = best(
        [&]
        {
            QSqlQuery query(db());
            query.exec("SELECT count(*) FROM ValueLogs WHERE OPH >= 0");
            query.next();
            nScanned = query.value(0).toInt();
        });
    int nDays = 0;
    const double dDays = best(
        [&]
        {
            QList<QDate> days;
            minute.getLoggedDays(days, 4711);
            nDays = days.size();
        });
    auto dayQuery = [&](const QString& condition, int& nRows, bool bEveryCell)
    {
        QSqlQueryModel model;
        minute.setupQueryModel(model, 4711, condition);
        while (model.canFetchMore())
            model.fetchMore();
        if (bEveryCell)
            for (int r = 0; r < model.rowCount(); ++r)
                for (int c = 0; c < model.columnCount(); ++c)
                    model.data(model.index(r, c));
        nRows = model.rowCount();
    };
    int nDayRows = 0, nLiteralRows = 0;
    const QDate day(2024, 7, 15);
    const double dDayRows = best([&] { dayQuery(CMinuteLogDBBase::makeDayCondition(day), nDayRows, false); });
    const double dDay = best([&] { dayQuery(CMinuteLogDBBase::makeDayCondition(day), nDayRows, true); });
    // The same day selected by converting every stored time stamp to a local date.
    const double dLiteral = best(
        [&]
        {
            dayQuery(QString("date(LogTimestamp, 'unixepoch', 'localtime' )=date('%1')")
                         .arg(day.toString(Qt::ISODate)),
                     nLiteralRows, false);
        });
    std::printf("a year of minute rows (%d): full scan %.1f ms\n", nScanned, dScan);
    std::printf("  logged days (%d): %.2f ms, %.3f of the full scan (target <= 0.2)\n", nDays, dDays,
                dDays / dScan);
    std::printf(
        "  day query (%d rows fetched): %.2f ms, %.3f of the full scan (target <= 0.2); with every cell "
        "read: %.2f ms, %.3f\n",
        nDayRows, dDayRows, dDayRows / dScan, dDay, dDay / dScan);
    std::printf(
        "  the same day selected by the local date of every row: %.1f ms (%d rows), %.2f of the full scan\n",
        dLiteral, nLiteralRows, dLiteral / dScan);
}

// Needs the year of minute rows of minuteQueries. The start's check of the file for damage (every
// page of every tree) beside a plain read of it: every column of every row of every table.
void startDamageCheck()
{
    const QString path = CDBBase::databasePath();
    // Folded into the file, as the program leaves it at its end.
    run("PRAGMA wal_checkpoint(TRUNCATE)");
    QString strFound;
    const double dCheck = best(
        [&]
        {
            const CLogFileCheck::SOutcome outcome = CLogFileCheck::setAsideIfDamaged(path);
            strFound = outcome.strDamage + outcome.strRebuilt;
        });
    if (!strFound.isEmpty())
        qFatal("the check found damage in a sound file: %s", qPrintable(strFound));
    // Straight through SQLite on a connection of its own, as lean as a read of the rows can be.
    sqlite3* pDb = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &pDb, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        qFatal("cannot open %s", qPrintable(path));
    qint64 nValues = 0;
    const double dRead = best(
        [&]
        {
            nValues = 0;
            QStringList tables;
            sqlite3_stmt* pStatement = nullptr;
            sqlite3_prepare_v2(pDb, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &pStatement,
                               nullptr);
            while (sqlite3_step(pStatement) == SQLITE_ROW)
                tables << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(pStatement, 0)));
            sqlite3_finalize(pStatement);
            for (const QString& table : tables)
            {
                sqlite3_prepare_v2(pDb, QString("SELECT * FROM \"%1\"").arg(table).toUtf8().constData(), -1,
                                   &pStatement, nullptr);
                const int nColumns = sqlite3_column_count(pStatement);
                while (sqlite3_step(pStatement) == SQLITE_ROW)
                    for (int c = 0; c < nColumns; ++c)
                        nValues += sqlite3_column_type(pStatement, c) != SQLITE_NULL ? 1 : 0;
                sqlite3_finalize(pStatement);
            }
        });
    sqlite3_close(pDb);
    std::printf("start's damage check of a year's database (%.1f MiB): %.0f ms; plain read of every row "
                "(%lld values that are not NULL): %.0f ms; ratio %.2f (target <= 2)\n",
                QFileInfo(path).size() / 1048576.0, dCheck, nValues, dRead, dCheck / dRead);
}

// Needs the year of minute rows of minuteQueries.
void csvExport(const QString& folder)
{
    const QString path = folder + "/export.csv";
    resetPeakMemory();
    const double dBefore = peakMemoryMiB();
    QElapsedTimer timer;
    timer.start();
    QString strStatement;
    int nRows = 0;
    {
        QSqlQueryModel view;
        CMinuteLogDB(CONNECTION).setupQueryModelForDay(view, QDate(), 4711);
        strStatement = view.query().lastQuery();
        const CLogExport logExport(view);
        view.clear();
        nRows = logExport.rowCount();
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        if (!logExport.write(&file, [](int) { return true; }) || !file.commit())
            qFatal("export failed");
    }
    const double dExport = timer.nsecsElapsed() / 1e6;
    const double dPeak = peakMemoryMiB() - dBefore;

    // Baseline: the sqlite3 shell writing the rows of the same statement to a file.
    QProcess shell;
    shell.start("sqlite3", {CDBBase::databasePath()});
    if (!shell.waitForStarted())
        qFatal("the sqlite3 shell is missing (Debian package sqlite3)");
    timer.restart();
    shell.write(
        QString(".mode csv\n.separator ;\n.once %1/shell.csv\n%2\n").arg(folder, strStatement).toLocal8Bit());
    shell.closeWriteChannel();
    shell.waitForFinished(-1);
    const double dShell = timer.nsecsElapsed() / 1e6;
    std::printf("CSV export of a year of minute rows (%d rows, %.1f MiB file): %.0f ms, peak memory growth "
                "%.0f MiB (target < 100); sqlite3 shell writing the same rows: %.0f ms\n",
                nRows, QFileInfo(path).size() / 1048576.0, dExport, dPeak, dShell);
}

void csvImport(const QString& folder)
{
    const QString path = folder + "/year.csv";
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        QTextStream out(&file);
        out.setCodec("ISO 8859-1");
        out << QString::fromUtf8(
            "\"TIM\n\";\"SNR\n\";\"OM\n\";\"AFL\n[m³/h]\";\"TEX\n[°C]\";\"HOU\n[%]\";\"TSU\n[°C]\";"
            "\"APR\n[hPa]\";\"OPH\n[h]\";\"RSSI\n\"\n");
        for (int i = 0; i < MINUTES_PER_YEAR; ++i)
            out << QDateTime::fromSecsSinceEpoch(YEAR_START + 60 * qint64(i)).toString("dd.MM.yyyy HH:mm")
                << ";4711;cmf;90;21.5;45;18;1013;" << i / 60 << ";-60\n";
    }
    const double dFileMiB = QFileInfo(path).size() / 1048576.0;

    // Baseline: the sqlite3 shell's .import of the same file into a new table of the same columns.
    // Each side its best of three runs, so the ratio does not follow the noise of a busy machine.
    const QString shellDb = folder + "/shell.sql";
    QProcess shell;
    const double dShell = best(
        [&]
        {
            shell.write(
                QString("CREATE TABLE ValueLogs (LogTimestamp int, SNR int, OM text, AFL int, TET real, "
                        "HOU int, TSU real, PRS int, OPH int, RSSI int, PRIMARY KEY(LogTimestamp, SNR));\n"
                        ".mode csv\n.separator ;\n.import --skip 1 %1 ValueLogs\n"
                        "SELECT count(*) FROM ValueLogs;\n")
                    .arg(path)
                    .toLocal8Bit());
            shell.closeWriteChannel();
            shell.waitForFinished(-1);
        },
        [&]
        {
            QFile::remove(shellDb);
            shell.start("sqlite3", {shellDb});
            if (!shell.waitForStarted())
                qFatal("the sqlite3 shell is missing (Debian package sqlite3)");
        });
    const QByteArray shellRows = shell.readAllStandardOutput().trimmed();

    resetPeakMemory();
    const double dBefore = peakMemoryMiB();
    const double dImport = best(
        [&]
        {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            CDBImportData import;
            if (!import.importData(&file, nullptr))
                qFatal("import failed");
        },
        [] { run("DELETE FROM ValueLogs"); });
    const double dPeak = peakMemoryMiB() - dBefore;
    QSqlQuery count(db());
    count.exec("SELECT count(*) FROM ValueLogs");
    count.next();
    std::printf(
        "CSV import of a year of minute rows (%.1f MiB file, %d rows): %.0f ms; sqlite3 shell .import "
        "(%s rows): %.0f ms; ratio %.2f (target >= 0.5)\n",
        dFileMiB, count.value(0).toInt(), dImport, shellRows.constData(), dShell, dShell / dImport);
    std::printf("  peak memory growth of the import: %.0f MiB (target < 200)\n", dPeak);
}

// 240 minute rows followed by 5 MiB of lines without values, against the same rows alone: reading
// costs time linear in the size of the file.
void csvImportOfLinesWithoutValues(const QString& folder)
{
    QByteArray rows = "TIM;SNR;HOU\n";
    for (int i = 0; i < 240; ++i)
        rows += QDateTime::fromSecsSinceEpoch(YEAR_START + 60 * qint64(i))
                    .toString("dd.MM.yyyy HH:mm")
                    .toLatin1() +
                ";4711;" + QByteArray::number(i % 100) + "\n";
    const auto import = [&](const QByteArray& contents)
    {
        const QString path = folder + "/lines.csv";
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(contents);
        file.close();
        run("DELETE FROM ValueLogs");
        return best(
            [&]
            {
                QFile in(path);
                in.open(QIODevice::ReadOnly);
                if (!CDBImportData().importData(&in, nullptr))
                    qFatal("import failed");
            });
    };
    const double dRows = import(rows);
    const int nSize = 5 << 20;
    const QList<QPair<const char*, QByteArray>> lines{
        {"LF", "\n"}, {"CR LF", "\r\n"}, {"blanks LF", "   \n"}, {"separators LF", ";;\n"}};
    for (const auto& line : lines)
    {
        const double dLines = import(rows + line.second.repeated(nSize / line.second.size()));
        std::printf(
            "CSV import of 240 minute rows and 5 MiB of lines \"%s\": %.0f ms (target < 500); the rows "
            "alone: %.1f ms\n",
            line.first, dLines, dRows);
    }
}
} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir folder;
    prepareBenchEnvironment(folder);
    QCoreApplication app(argc, argv);
    app.setApplicationName("bench_store");

    CMinuteLogDB minute(CONNECTION);
    CSecLogDB second(CONNECTION);
    if (!minute.createTable() || !second.createTable())
        return 1;
    secondLogChunks();
    minuteQueries();
    startDamageCheck();
    csvExport(folder.path());
    csvImport(folder.path());
    csvImportOfLinesWithoutValues(folder.path());
    return 0;
}
