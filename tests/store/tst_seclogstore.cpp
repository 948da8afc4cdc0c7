#include "FanValues.h"
#include "GraphicsDB.h"
#include "MinuteLogDB.h"
#include "MinuteRowQueue.h"
#include "ModalAnswerer.h"
#include "SecLogDB.h"
#include "SecLogDB70.h"
#include "StoreBoxes.h"
#include "StoreFixture.h"

#include <QAbstractItemModelTester>
#include <QSqlQueryModel>
#include <QThread>

using namespace StoreFixture;

namespace
{
const qint64 T0 = 1709208000; // 2024-02-29 12:00:00 UTC

// Sets a field of an entry by its bit numbers, counted from bit 0 of byte 0 upwards.
template <class Entry> void setBits(Entry& entry, int firstBit, int width, int value)
{
    for (int b = 0; b < width; ++b)
    {
        const int bit = firstBit + b;
        const quint8 mask = quint8(1u << (bit % 8));
        if ((value >> b) & 1)
            entry.m_Bytes[bit / 8] |= mask;
        else
            entry.m_Bytes[bit / 8] &= quint8(~mask);
    }
}

// Entry state field: an entry in state 3 is not stored.
const int STATE_BIT_100 = 202;
const int STATE_BIT_70 = 203;

QDateTime at(qint64 secs)
{
    return QDateTime::fromSecsSinceEpoch(secs);
}

bool save(QVector<SSecLogEntry>& entries, int span, int serial, QDateTime& t,
          const QString& connection = "UIThread")
{
    return CSecLogDB(connection).saveSecLogValues(CLogging::EMaxTimeSpan(span), entries, serial, t);
}

bool save(QVector<SSecLogEntry_70>& entries, int span, int serial, QDateTime& t,
          const QString& connection = "UIThread")
{
    return CSecLogDB70(connection).saveSecLogValues(CLogging_70::EMaxTimeSpan(span), entries, serial, t);
}

bool hasColumn(const QSqlQueryModel& model, const QString& abbreviation)
{
    return columnOf(model, abbreviation) >= 0;
}

// Writes chunks of second-log entries from a thread of its own, as the polling thread does.
class CChunkWriter : public QThread
{
public:
    CChunkWriter(int chunks, int serial) : m_nChunks(chunks), m_nSerial(serial) {}
    int failures = 0;

protected:
    void run() override
    {
        QDateTime t = at(T0);
        for (int c = 0; c < m_nChunks; ++c)
        {
            QVector<SSecLogEntry_70> chunk(10);
            CSecLogDB70 store("WorkerThread");
            if (!store.saveSecLogValues(CLogging_70::TS_QUARTER_HOUR, chunk, m_nSerial, t))
                ++failures;
        }
        QSqlDatabase::removeDatabase("WorkerThread");
    }

private:
    int m_nChunks;
    int m_nSerial;
};
} // namespace

class TestSecLogStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void timeSpans_data();
    void timeSpans();

    void fieldsOfTolVane100_data();
    void fieldsOfTolVane100();
    void fieldsOfTolVanePlus_data();
    void fieldsOfTolVanePlus();
    void fifthLevelOfTolVanePlus();

    void chunkTimestampsAndSkippedEntries();
    void emptyChunk();
    void sameEntriesReplaceRows();
    void failedChunkIsRolledBackAndKeepsTime();

    void secLogViews();
    void secLogDiagramData();
    void deleteOneSpan();

    void writersOfBothThreadsLoseNothing();

private:
    QVariantMap storedRow(const QString& table);
    // Stores at T0, as unit 4711, one entry with only the field of the current table row set and
    // checks its column, span and serial number; `row` is the stored row.
    template <typename Entry> void storeField(const QString& table, QVariantMap& row);
};

void TestSecLogStore::init()
{
    // The boxes the program shows, which the tests answer.
    CStoreBoxes::install();
    resetDatabase();
    QVERIFY(CSecLogDB("UIThread").createTable());
    QVERIFY(CSecLogDB70("UIThread").createTable());
    QVERIFY(CMinuteLogDB("UIThread").createTable());
}

void TestSecLogStore::cleanup()
{
    resetDatabase();
}

QVariantMap TestSecLogStore::storedRow(const QString& table)
{
    const QList<QVariantMap> stored = rows("SELECT * FROM " + table);
    if (stored.size() != 1)
        qFatal("expected one row in %s, found %d", qPrintable(table), int(stored.size()));
    return stored[0];
}

void TestSecLogStore::timeSpans_data()
{
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("secs");
    QTest::newRow("quarter hour") << 0 << 900;
    QTest::newRow("day") << 1 << 86400;
    QTest::newRow("month") << 2 << 2592000;
    QTest::newRow("above") << 3 << 0;
    QTest::newRow("below") << -1 << 0;
}

void TestSecLogStore::timeSpans()
{
    QFETCH(int, span);
    QFETCH(int, secs);
    QCOMPARE(CSecLogDBBase::getTimeSpanSecs(span), secs);
    QCOMPARE(CSecLogDBBase::makeTimeSpanCondition(span), QString("\"LTS\"=%1").arg(span));
}

// Rows: column, first bit, width, raw value, span, stored value.
static void fieldColumns()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("firstBit");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("span");
    QTest::addColumn<QVariant>("stored");
}

static void fieldRow(const char* name, const char* column, int bit, int width, int raw, int span,
                     const QVariant& stored)
{
    QTest::newRow(name) << column << bit << width << raw << span << stored;
}

template <typename Entry> void TestSecLogStore::storeField(const QString& table, QVariantMap& row)
{
    QFETCH(QString, column);
    QFETCH(int, firstBit);
    QFETCH(int, width);
    QFETCH(int, raw);
    QFETCH(int, span);
    QFETCH(QVariant, stored);
    QVector<Entry> entries(1);
    setBits(entries[0], firstBit, width, raw);
    QDateTime t = at(T0);
    QVERIFY(save(entries, span, 4711, t));
    row = storedRow(table);
    QVERIFY2(row[column] == stored, qPrintable(row[column].toString()));
    QCOMPARE(row["LTS"].toInt(), span);
    QCOMPARE(row["SNR"].toInt(), 4711);
}

void TestSecLogStore::fieldsOfTolVane100_data()
{
    fieldColumns();
    fieldRow("DL1 quarter hour", "DL1", 74, 5, 7, 0, 420);
    fieldRow("DL2 day", "DL2", 90, 5, 3, 1, 10800);
    fieldRow("DL3 month", "DL3", 106, 5, 2, 2, 172800);
    fieldRow("DL4", "DL4", 122, 5, 1, 0, 60);
    fieldRow("DWI", "DWI", 64, 5, 2, 0, 120);
    fieldRow("DHI", "DHI", 69, 5, 31, 0, 1860);
    fieldRow("DRA", "DRA", 80, 5, 1, 1, 3600);
    fieldRow("DRR", "DRR", 85, 5, 1, 2, 86400);
    fieldRow("DCO", "DCO", 96, 5, 4, 0, 240);
    fieldRow("DC2", "DC2", 101, 5, 5, 0, 300);
    fieldRow("DSM", "DSM", 112, 5, 6, 0, 360);
    fieldRow("DTM", "DTM", 117, 5, 7, 0, 420);
    fieldRow("D1R", "D1R", 128, 5, 8, 0, 480);
    fieldRow("DDF", "DDF", 133, 5, 9, 0, 540);
    fieldRow("DMV", "DMV", 138, 5, 10, 0, 600);
    fieldRow("FSF", "FSF", 79, 1, 1, 0, 1);
    fieldRow("FEF", "FEF", 95, 1, 1, 0, 1);
    fieldRow("HRU", "HRU", 111, 1, 1, 0, 1);
    fieldRow("HRN", "HRN", 127, 1, 1, 0, 1);
    fieldRow("RES", "RES", 143, 1, 1, 0, 1);
    fieldRow("ECO signed", "ECO", 56, 8, -1, 0, -1);
    fieldRow("EXE quarter hour", "EXE", 144, 16, 10, 0, 1);
    fieldRow("REE day", "REE", 160, 16, 100, 1, 1530);
    fieldRow("COE negative", "COE", 176, 16, -10, 0, 0);
    fieldRow("COE month", "COE", 176, 16, 1, 2, 489);
    fieldRow("AEX quarter hour", "AEX", 192, 10, 100, 0, 2.8);
    fieldRow("AEX day", "AEX", 192, 10, 10, 1, 35.6);
    fieldRow("AEX month", "AEX", 192, 10, 1, 2, 113.8);
    fieldRow("WAR day", "WAR", 213, 11, -1, 1, -128);
    fieldRow("WAR month", "WAR", 213, 11, 5, 2, 20480);
    fieldRow("PRS lowest", "PRS", 231, 8, 0, 0, 700);
    fieldRow("PRS highest", "PRS", 231, 8, 255, 0, 1210);
    fieldRow("ES ok", "ES", 208, 5, 0, 0, "ok");
    fieldRow("ES supply sensor", "ES", 208, 5, 4, 0, "Err-TSU");
    fieldRow("ES unknown", "ES", 208, 5, 23, 0, "");
    fieldRow("TSU", "TSU", 0, 8, 21, 0, 21);
    fieldRow("TOU", "TOU", 8, 8, -10, 0, -10);
    fieldRow("HOU", "HOU", 16, 8, 80, 0, 80);
    fieldRow("TEH", "TEH", 24, 8, 12, 0, 12);
    fieldRow("TET", "TET", 32, 8, -5, 0, -5);
    fieldRow("HET", "HET", 40, 8, 55, 0, 55);
    fieldRow("CO2", "CO2", 48, 8, 50, 0, 800);
}

void TestSecLogStore::fieldsOfTolVane100()
{
    QFETCH(QString, column);
    QFETCH(QVariant, stored);
    QVariantMap row;
    storeField<SSecLogEntry>("SecLogs", row);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(row[column].type() == QVariant::String, stored.type() == QVariant::String);
    QCOMPARE(row["LogTimestamp"].toLongLong(), T0);
    QVERIFY(row["DL5"].isNull());
}

void TestSecLogStore::fieldsOfTolVanePlus_data()
{
    fieldColumns();
    fieldRow("RES", "RES", 175, 1, 1, 0, 1);
    fieldRow("DL1", "DL1", 112, 5, 3, 0, 180);
    fieldRow("DL2 day", "DL2", 128, 5, 2, 1, 7200);
    fieldRow("DL3 month", "DL3", 144, 5, 1, 2, 86400);
    fieldRow("DL4", "DL4", 160, 5, 4, 0, 240);
    fieldRow("DHI", "DHI", 96, 5, 1, 0, 60);
    fieldRow("DCO2I", "DCO2I", 101, 5, 2, 0, 120);
    fieldRow("DHuCO2I", "DHuCO2I", 106, 5, 3, 0, 180);
    fieldRow("DRA", "DRA", 117, 5, 4, 0, 240);
    fieldRow("DRR", "DRR", 122, 5, 5, 0, 300);
    fieldRow("DCO", "DCO", 133, 5, 6, 0, 360);
    fieldRow("DC2", "DC2", 138, 5, 7, 0, 420);
    fieldRow("DSeM", "DSeM", 149, 5, 8, 0, 480);
    fieldRow("DTM", "DTM", 154, 5, 9, 0, 540);
    fieldRow("DMV", "DMV", 165, 5, 10, 0, 600);
    fieldRow("ECO unsigned", "ECO", 232, 8, 200, 0, 200);
    fieldRow("COE quarter hour", "COE", 176, 16, 10, 0, 4);
    fieldRow("COE day", "COE", 176, 16, 1, 1, 48);
    fieldRow("COE month", "COE", 176, 16, 1, 2, 1529);
    fieldRow("AEX quarter hour", "AEX", 192, 11, 59, 0, 1.0);
    fieldRow("AEX day divides first", "AEX", 192, 11, 59, 1, 0.0);
    fieldRow("AEX month", "AEX", 192, 11, 120, 2, 8192.0);
    fieldRow("WAR month", "WAR", 208, 11, -1, 2, -4096);
    fieldRow("TSU", "TSU", 0, 8, 21, 0, 21);
    fieldRow("TET", "TET", 8, 8, -5, 0, -5);
    fieldRow("HOU", "HOU", 16, 8, 70, 0, 70);
    fieldRow("HET", "HET", 24, 8, 55, 0, 55);
    fieldRow("AQS", "AQS", 32, 8, 20, 0, 120);
    fieldRow("AQE", "AQE", 40, 8, 80, 0, 180);
}

void TestSecLogStore::fieldsOfTolVanePlus()
{
    QVariantMap row;
    storeField<SSecLogEntry_70>("SecLogs70", row);
}

void TestSecLogStore::fifthLevelOfTolVanePlus()
{
    QVector<SSecLogEntry_70> entries(1);
    setBits(entries[0], 112, 5, 3);
    setBits(entries[0], 128, 5, 4);
    setBits(entries[0], 144, 5, 5);
    setBits(entries[0], 160, 5, 2);
    QDateTime t = at(T0);
    QVERIFY(save(entries, 0, 1, t));
    QCOMPARE(storedRow("SecLogs70")["DL5"].toInt(), 60); // (15 - 14) minutes
}

void TestSecLogStore::chunkTimestampsAndSkippedEntries()
{
    QVector<SSecLogEntry> entries(5);
    setBits(entries[2], STATE_BIT_100, 3, 3);
    for (int i = 0; i < entries.size(); ++i)
        setBits(entries[i], 0, 8, i); // TSU tells the entries apart
    QDateTime t = at(T0);
    QVERIFY(save(entries, 1, 4711, t));
    QCOMPARE(t, at(T0 + 4 * 86400));
    const QList<QVariantMap> stored = rows("SELECT LogTimestamp, TSU FROM SecLogs ORDER BY LogTimestamp");
    QCOMPARE(stored.size(), 4);
    const QList<int> expectedTsu{0, 1, 3, 4};
    for (int i = 0; i < 4; ++i)
    {
        QCOMPARE(stored[i]["LogTimestamp"].toLongLong(), T0 + i * 86400);
        QCOMPARE(stored[i]["TSU"].toInt(), expectedTsu[i]);
    }

    // The next chunk continues where this one ended; the plus entry skips the same way.
    QVector<SSecLogEntry_70> plus(3);
    setBits(plus[0], STATE_BIT_70, 3, 3);
    QDateTime t70 = at(T0);
    QVERIFY(save(plus, 0, 4711, t70));
    QCOMPARE(t70, at(T0 + 2 * 900));
    QCOMPARE(count("SecLogs70"), 2);
}

void TestSecLogStore::emptyChunk()
{
    QVector<SSecLogEntry> none;
    QDateTime t = at(T0);
    QVERIFY(save(none, 0, 1, t));
    QCOMPARE(t, at(T0));
    QCOMPARE(count("SecLogs"), 0);
}

void TestSecLogStore::sameEntriesReplaceRows()
{
    QVector<SSecLogEntry> entries(3);
    QDateTime t = at(T0);
    QVERIFY(save(entries, 0, 1, t));
    setBits(entries[1], 0, 8, 33);
    t = at(T0);
    QVERIFY(save(entries, 0, 1, t));
    QCOMPARE(count("SecLogs"), 3);
    QCOMPARE(rows(QString("SELECT TSU FROM SecLogs WHERE LogTimestamp=%1").arg(T0 + 900))[0]["TSU"].toInt(),
             33);
}

void TestSecLogStore::failedChunkIsRolledBackAndKeepsTime()
{
    // The database refuses the third entry of the chunk.
    exec("CREATE TRIGGER refuse BEFORE INSERT ON SecLogs WHEN NEW.TSU = 99 BEGIN SELECT RAISE(ABORT, "
         "'refused'); END");
    CBoxAnswerer boxes;
    QVector<SSecLogEntry> entries(5);
    setBits(entries[2], 0, 8, 99);
    QDateTime t = at(T0);
    QVERIFY(!save(entries, 0, 4711, t));
    QCOMPARE(count("SecLogs"), 0); // one chunk, one transaction
    QCOMPARE(t, at(T0 + 5 * 900)); // the next chunk keeps its place in time

    QVector<SSecLogEntry> next(2);
    QVERIFY(save(next, 0, 4711, t));
    const QList<QVariantMap> stored = rows("SELECT LogTimestamp FROM SecLogs ORDER BY LogTimestamp");
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored[0]["LogTimestamp"].toLongLong(), T0 + 5 * 900);
    QCOMPARE(boxes.seen.size(), 0); // the writer reports in the debug log only
}

void TestSecLogStore::secLogViews()
{
    // Span 1 row: the comfort levels 1..4 take 81000 s of the day, so level 5 shows 1:30 whatever DL5 holds.
    exec(QString(
             "INSERT INTO SecLogs (LogTimestamp, LTS, SNR, RES, DL1, DL2, DL3, DL4, DL5, REE, EXE, PRS, TET) "
             "VALUES (%1, 1, 4711, 0, 5400, 75600, 0, 0, 12345, 30, 40, 700, 20.0)")
             .arg(T0));
    exec(
        QString("INSERT INTO SecLogs (LogTimestamp, LTS, SNR, AEX, REE, EXE) VALUES (%1, 0, 4711, 25, 30, 0)")
            .arg(T0));
    exec(QString("INSERT INTO SecLogs (LogTimestamp, LTS, SNR) VALUES (%1, 1, 815)").arg(T0));

    CSecLogDB store("UIThread");
    QSqlQueryModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    store.setupQueryModelForTimeSpan(model, 1, 4711);
    QCOMPARE(model.rowCount(), 1);
    QVERIFY(!hasColumn(model, "LTS"));
    QCOMPARE(cellOf(model, 0, "DL1"), QString("1:30"));
    QCOMPARE(cellOf(model, 0, "DL2"), QString("21:00"));
    QCOMPARE(cellOf(model, 0, "DL3"), QString("-"));
    QCOMPARE(cellOf(model, 0, "DL5"), QString("1:30"));
    QCOMPARE(cellOf(model, 0, "RES"), QString("-"));
    QCOMPARE(cellOf(model, 0, "APR"), QString("-"));
    QCOMPARE(cellOf(model, 0, "HRP"), QString("75"));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("TIM\n"));
    QCOMPARE(cellOf(model, 0, "TIM"), QString("29.02.2024 12:00"));

    store.setupQueryModelForTimeSpan(model, 0, 4711);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(cellOf(model, 0, "PCO").toDouble(), 8.0); // 0.25 h * (100 * 0.49 - 17)
    QCOMPARE(cellOf(model, 0, "HRP"), QString(""));

    store.setupQueryModelForTimeSpan(model, 1, -1);
    QCOMPARE(model.rowCount(), 2);

    // The plus table computes its fifth level the same way and hides the span as well; its own
    // durations show as hours and minutes like the others.
    exec(QString("INSERT INTO SecLogs70 (LogTimestamp, LTS, SNR, DL1, DL2, DL3, DL4, DSeM, DCO2I, DHuCO2I) "
                 "VALUES (%1, 0, 1, 180, 240, 300, 120, 5400, 60, 0)")
             .arg(T0));
    CSecLogDB70 plus("UIThread");
    plus.setupQueryModelForTimeSpan(model, 0, 1);
    QCOMPARE(model.rowCount(), 1);
    QVERIFY(!hasColumn(model, "LTS"));
    QCOMPARE(cellOf(model, 0, "DL5"), QString("0:01"));

    // Level times that exceed the span leave a negative fifth level: "-h:mm" of its amount.
    for (const auto& [levels, shown] : {std::pair{900 + 1620, "-0:27"}, std::pair{900 + 3780, "-1:03"}})
    {
        exec(QString("UPDATE SecLogs70 SET DL1 = %1, DL2 = 0, DL3 = 0, DL4 = 0").arg(levels));
        plus.setupQueryModelForTimeSpan(model, 0, 1);
        QCOMPARE(cellOf(model, 0, "DL5"), QString(shown));
    }
    QCOMPARE(cellOf(model, 0, "DSE"), QString("1:30"));
    QCOMPARE(cellOf(model, 0, "DC2I"), QString("0:01"));
    QCOMPARE(cellOf(model, 0, "DHCI"), QString("-"));
}

void TestSecLogStore::secLogDiagramData()
{
    exec(QString("INSERT INTO SecLogs (LogTimestamp, LTS, SNR, TSU) VALUES (%1, 0, 4711, 17.0)").arg(T0));
    exec(QString("INSERT INTO SecLogs (LogTimestamp, LTS, SNR, TSU) VALUES (%1, 1, 4711, 18.0)").arg(T0));
    CGraphicsDB graphics;
    graphics.addField(DDI_SupplyTempVirt);
    // TSC is not a column of the second log.
    QCOMPARE(
        graphics.statementForTable(4711, CDBBase::TK_SEC_LOGS, 1),
        QString("SELECT LogTimestamp FROM SecLogs WHERE (\"LTS\"=1 AND SNR=4711) ORDER BY LogTimestamp ;"));
    QCOMPARE(diagramRows(graphics, 4711, CDBBase::TK_SEC_LOGS, 1), QStringList());
    graphics.removeField(DDI_SupplyTempVirt);
    graphics.addField(DDI_SupplyTemp);
    QCOMPARE(diagramRows(graphics, 4711, CDBBase::TK_SEC_LOGS, 1), QStringList{QString("%1=18").arg(T0)});
}

void TestSecLogStore::deleteOneSpan()
{
    for (int span : {0, 1})
        for (int snr : {1, 2})
            exec(QString("INSERT INTO SecLogs70 (LogTimestamp, LTS, SNR) VALUES (%1, %2, %3)")
                     .arg(T0)
                     .arg(span)
                     .arg(snr));
    QVERIFY(CSecLogDB70("UIThread").deleteSecLogValues(CLogging_70::TS_DAY));
    QCOMPARE(count("SecLogs70", "LTS = 1"), 0);
    QCOMPARE(count("SecLogs70", "LTS = 0"), 2);
}

void TestSecLogStore::writersOfBothThreadsLoseNothing()
{
    // The polling thread stores chunks while the user-interface thread writes minute rows and a
    // view holds its query open; neither may lose a row to the other's lock. The user-interface
    // thread waits only briefly for a lock and keeps a row it could not write for the next one,
    // as the minute-log tab does.
    CBoxAnswerer boxes;
    QSqlQueryModel view;
    CMinuteLogDB("UIThread").setupQueryModelForDay(view, QDate(), -1);

    const int nChunks = 200;
    CChunkWriter writer(nChunks, 4711);
    writer.start();
    CMinuteRowQueue minuteRows;
    for (int i = 0; i < 500; ++i)
    {
        minuteRows.write(
            [i] {
                return CMinuteLogDB("UIThread")
                    .logValues(CFanValues(), i, 0, 4711, 0, 0, 0, 0, at(T0 + 60 * i), 0);
            });
        if (i == 10)
            CMinuteLogDB("UIThread").setupQueryModelForDay(view, QDate(), -1); // a reader in between
    }
    writer.wait();
    QVERIFY(minuteRows.retry());
    QCOMPARE(writer.failures, 0);
    QCOMPARE(boxes.seen.size(), 0);
    QCOMPARE(count("ValueLogs"), 500);
    QCOMPARE(count("SecLogs70"), nChunks * 10);
}

QTEST_MAIN(TestSecLogStore)
#include "tst_seclogstore.moc"
