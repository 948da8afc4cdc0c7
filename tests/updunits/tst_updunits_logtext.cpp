#include "FakeWireFixture.h"
#include "Fan.h"
#include "Fan_70_PC.h"
#include "LogText.h"

#include <QtTest>

using namespace LinkTest;

namespace
{
QByteArray reply(const QByteArray& data)
{
    return frame(1, 0x10, data);
}

QByteArray u16(int v)
{
    return bytes({v & 0xFF, (v >> 8) & 0xFF});
}

// A primary-log reply with the given entries (all in one reply).
QByteArray primLogReply(const QList<QByteArray>& entries, int entrySize)
{
    QByteArray d = bytes({15, 0}) + u16(entries.size());
    for (const QByteArray& e : entries)
        d += e;
    return reply(d.leftJustified(4 + 7 * entrySize, '\0'));
}

QByteArray secLogCountReply(int span, int capacity, int count, int start)
{
    QByteArray d = bytes({24, 0});
    for (int field : {capacity, count, start})
        for (int s = 0; s < 3; ++s)
            d += u16(s == span ? field : 0);
    return reply(d);
}

QByteArray secLogReply(int span, const QList<QByteArray>& entries)
{
    QByteArray d = bytes({20, span, 0, 0}) + u16(entries.size());
    for (const QByteArray& e : entries)
        d += e;
    return reply(d.leftJustified(166, '\0'));
}

// tolVane100 state record: every cell of the line has a value of its own.
const QByteArray PRIM_100 =
    bytes({0xB4, 0xB8, 0xD8, 0x57, 0x50, 0xF8, 0xA8, 0xD0, 0x98, 0x28, 0x50, 0xB7, 50,
           0x59, 0x81, 0xA4, 0x10, 0x93, 0x20, 0x52, 0x23, 0x46, 0xD2, 0x04, 0xFD, 0x39});
// Average-flow code 1, everything else 0.
const QByteArray PRIM_100_ZERO =
    bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x08}).leftJustified(26, '\0');

const QString PRIM_100_HEADING =
    "\nPrimary Log:\n"
    "Log,   TExt  , TSup  , TOut  , TExh  , HExt, HOut, Pres,  CO2, TVirt , Com, Hum, Sum, Fan, AveFlow, "
    "Fan, "
    "2nd, RPM , RPM , Vent, Vent, Vent, Vent, TPE, TBA, TPS, TBY, TState , Ventil, Defrost, Fil, Fil, Room, "
    "2nd Room, IntEr, IntEr, IntEr, Error  \n"
    "   ,    °C   ,  °C   ,  °C   ,  °C   ,  %  ,   % ,  hPa,  ppm,  °C   , Lev, Red, Coo,m³/h,  m³/h  , "
    "Lim, "
    "o20,Suppl, Extr, Extr,  2nd, Supp, Bypa,                            , Reason, Exhaust, Sup, Ext, Area, "
    "Flow    , File , Line , Code ,   \n";

const QString SEC_100_HEADING_12 =
    " Log,   TExt, TSup, TOut, TExh, HExt, HOut, Pres,  CO2, Comfort Level, --- Operation Mode ---, -- "
    "Reduced "
    "Ventilation--  ,  Ventilation Reason --------  ,  -------- Flow Values --------   , Filter  , Acc, --SW "
    "Warnings-- , Error\n"
    "                                                        1, 2, 3, 4, 5, Std, Alt, Slp, Trb Hum, Def Exh, "
    "Sup cond, Hum Inp, Min, AbsHum, RelHum, Cool, CO2, Air  , Water, EnExt, EnRec, EnCol, Sup, Ext, Cnt, "
    "File, Line, Code,      \n";
// The third heading line of the day log.
const QString H = " Hours   ";
const QString SEC_100_HEADING_DAY = "    ,    °C ,  °C ,  °C ,  °C ,  %  ,   % , hPa ,  ppm, " + H +
                                    "    ,        " + H + "      ,    " + H + "              ,    " + H +
                                    "                  ,3.55m³,128g  ,      42.7Km³      \n";

// tolVane100 second-log entry: comfort levels beyond the span (level 5 negative), operation
// modes beyond it too (Std wraps), marked with "*".
const QByteArray SEC_100 =
    bytes({0x13, 0xFB, 0x50, 0x0A, 0x15, 0x37, 0x32, 0xF9, 0x47, 0xA9, 0x83, 0x20, 0xA0, 0x92, 0x2A, 0x15,
           0x66, 0xAE, 0x9C, 0xFF, 0x2C, 0x01, 0x00, 0x00, 0x34, 0x01, 0xD6, 0xFF, 0x8C, 0x28, 0x10, 0x15});

const QByteArray PRIM_PLUS =
    bytes({0xD8, 0x07, 0xBC, 0x23, 0xFA, 0x27, 0xA8, 0x18, 0xA1, 0x7E, 0x28, 0x37, 0,    0xB0,
           0x8C, 20,   0xC8, 0x92, 0,    0,    120,  90,   0x26, 0xF4, 0x2C, 0x01, 0xFE, 0xFF});
// State "Service": the comfort level comes from byte 13 and takes four characters.
const QByteArray PRIM_PLUS_SERVICE =
    bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x30, 0x10}).leftJustified(28, '\0');

const QString PRIM_PLUS_HEADING = "\nPrimary Log:\n"
                                  "Log,  TExt,    TOut,HExt,HSup,CO2Ex,CO2Su,  HTExt,  HTSup,HUEx,HUSu,Com, "
                                  "Sum, Fan,  Flow,SBFlow,  RPM,   "
                                  "State,   Fan    Ventil, Room,   IntEr, IntEr, IntEr, Error  \n"
                                  "   ,    °C,      °C,   %,   %,  ppm,  ppm,     °C,     °C,   %,   %,Lev, "
                                  "Coo, Speed,m³/h,                "
                                  "         State, Reason, Area,   File , Line , Code ,         \n";

const QByteArray SEC_PLUS =
    bytes({0xFF, 22,   45,   50,   3,    10,   0,    0,    0,  0, 0,    0,    0x43, 0x31, 0x65, 0x20,
           0x06, 0x07, 0x27, 0x11, 0x22, 0x82, 0x0C, 0xFE, 29, 0, 0xFF, 0x07, 3,    200,  5,    0x08});
const QString D = "  Days   ";
const QString SEC_PLUS_HEADING =
    " Log,  TExt,TSup,HExt,HOut, CO2E, CO2S, Comfort Level, Operation Mode, -- Reduced Ventilation , "
    "Ventilation Reason --------, Flow Values -------, Acc, --SW Warnings-- , Error\n"
    "                                        1, 2, 3, 4, 5, Auto, Ser, Trb, HumInp,HumCO2Inp,CO2Inp, "
    "Min,AbsHum,RelHum,Cool, CO2, Air  , Water, EnCol, Cnt, File, Line, Code,      \n"
    "    ,   °C , °C , %  ,  % ,  log,  log,    ,       " +
    D + "      ,    " + D + "        ,    " + D + "     ,  " + " 1024m³" + ",    " + "4096g " + ", " +
    " 1365Km³  " + "     \n";
} // namespace

class TestLogText : public QObject
{
    Q_OBJECT

private slots:
    void primaryLog100()
    {
        CFakeWireFixture<CFan> f;
        QVERIFY(f.start(new CFan(false)));
        f.unit->replies[15] = {primLogReply({PRIM_100, PRIM_100_ZERO}, 26)};
        const QString line0 = QString("  0,: ") + " 21.000," + " 22.500," + " -5.000," + " 10.000," +
                              "   55," + "   80," + "  865," + "  800," + " 19.000," + "   3," + "   1," +
                              "   0," + "  90," + "     90 ," + "   0," + "   1," + "  784," + "  544," +
                              " OPEN," + " CLOS," + " T 00," + "  15°," + "   1," + "   2," + "   3," +
                              "   0," + "TurboCool," + " CO2Ven, " + "  Supp , " + " OK, " + "FUL, " +
                              "  35, " + "      90, " + "   17, " + " 1234, " + "   -3, " + "??," + "\n";
        const QString line1 = QString("  1,: ") + "  0.000," + "  0.000," + "  0.000," + "  0.000," +
                              "    0," + "    0," + "  700," + "    0," + "  0.000," + "   1," + "   0," +
                              "   0," + "   0," + "  20/60 ," + "   0," + "   0," + "    0," + "    0," +
                              " UNKN," + " UNKN," + " UNKN," + " UNKN," + "   0," + "   0," + "   0," +
                              "   0," + " AutoStd," + " MinAir, " + "  None , " + " OK, " + " OK, " +
                              "  20, " + "       0, " + "    0, " + "    0, " + "    0, " + "OK," + "\n";
        QCOMPARE(f.fan->getPrimaryLog(), PRIM_100_HEADING + line0 + line1);
    }

    void primaryLogPlus()
    {
        CFakeWireFixture<CFan_70_PC> f;
        QVERIFY(f.start(new CFan_70_PC));
        f.unit->replies[15] = {primLogReply({PRIM_PLUS, PRIM_PLUS_SERVICE}, 28)};
        const QString line0 = QString("  0: ") + "21.000," + " -5.000," + "  55," + "  40," + "  120," +
                              "   90," + " -1.500," + " 20.500," + "  60," + "  71," + "  5," + "  --," +
                              "  -3," + "   -12," + "    33," + "  712," + "   Turbo," + "  CDownB," +
                              " - ?? -, " + "  60, " + "    9, " + "  300, " + "   -2, " + "\n";
        const QString line1 = QString("  1: ") + " 0.000," + "  0.000," + "   0," + "   0," + "    0," +
                              "    0," + "  0.000," + "  0.000," + "   0," + "   0," + "   7," + "   0," +
                              "   0," + "     0," + "     0," + "    0," + " Service," + "  Normal," +
                              " MinAir, " + "  20, " + "    0, " + "    0, " + "    0, " + "\n";
        QCOMPARE(f.fan->getPrimaryLog(), PRIM_PLUS_HEADING + line0 + line1);
    }

    void secondaryLog100()
    {
        CFakeWireFixture<CFan> f;
        QVERIFY(f.start(new CFan(false)));
        f.unit->replies[24] = {secLogCountReply(1, 60, 2, 7)};
        f.unit->replies[20] = {secLogReply(1, {SEC_100, QByteArray(32, '\0')})};
        const QString entry0 = QString("*") + "  0,: " + "   21," + "   19," + "   -5," + "   10," +
                               "   55," + "   80," + "  862," + "  800," + "10," + " 8," + " 4," + " 5," +
                               "-3," + "4294967295," + "   6," + "  10," + "   9," + " 1 ," + "      19," +
                               "        7," + "      10," + "  11," + "      3," + "      4," + "    0," +
                               "  21," + "   308," + "    -2," + "  -100," + "   300," + "     0," + " Ful," +
                               "  Ok," + "  12," + "    5," + "  272," + "   -7, " + "Wlan Error," + "\n";
        const QString entry1 = QString(" ") + "  1,: " + "    0," + "    0," + "    0," + "    0," +
                               "    0," + "    0," + "  700," + "    0," + " 0," + " 0," + " 0," + " 0," +
                               "24," + "  24," + "   0," + "   0," + "   0," + "???," + "       0," +
                               "        0," + "       0," + "   0," + "      0," + "      0," + "    0," +
                               "   0," + "     0," + "     0," + "     0," + "     0," + "     0," + "  Ok," +
                               "  Ok," + "   0," + "    0," + "    0," + "    0, " + "OK," + "\n";
        QCOMPARE(f.fan->getSecondaryLog(CLogging::TS_DAY, false, false, false, false, "Day"),
                 "\nSecondary Log:Day\n" + SEC_100_HEADING_12 + SEC_100_HEADING_DAY + entry1 + entry0);
        // Every stored entry was asked for: span 1, from 7, two of them.
        QCOMPARE(f.unit->requests().last().left(6), bytes({20, 1, 7, 0, 2, 0}));
    }

    void secondaryLogPlus()
    {
        CFakeWireFixture<CFan_70_PC> f;
        QVERIFY(f.start(new CFan_70_PC));
        f.unit->replies[24] = {secLogCountReply(2, 24, 1, 0)};
        f.unit->replies[20] = {secLogReply(2, {SEC_PLUS})};
        const QString entry = QString("*") + "  0,: " + "  22," + "  -1," + "  50," + "  45," + "  160," +
                              "   48," + " 5," + " 6," + " 7," + " 2," + "10," + "  17," + "   9," + "   4," +
                              "       3," + "      10," + "      12," + "  17," + "      3," + "      8," +
                              "   24," + "   1," + "     1," + "    -1," + "  -500," + "   3," + "    2," +
                              "    5," + "  200, " + "\n";
        QCOMPARE(f.fan->getSecondaryLog(CLogging::TS_MONTH, false, false, false, false, "30 days"),
                 "\nSecondary Log:30 days\n" + SEC_PLUS_HEADING + entry);
    }

    // The window of the second log each choice asks the unit for (ring arithmetic in 16 bits).
    void secondaryLogWindow_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<bool>>("flags"); // youngest10, youngest100, oldest10, oldest100
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("wanted");
        QTest::newRow("all") << 96 << 40 << 70 << QList<bool>{false, false, false, false} << 70 << 40;
        QTest::newRow("10 youngest") << 96 << 40 << 70 << QList<bool>{true, false, false, false} << 70 << 10;
        QTest::newRow("100 youngest")
            << 96 << 40 << 70 << QList<bool>{false, true, false, false} << 70 << 100;
        QTest::newRow("10 oldest, full ring")
            << 96 << 96 << 10 << QList<bool>{false, false, true, false} << 1 << 10;
        QTest::newRow("10 oldest, wrapped back")
            << 96 << 5 << 0 << QList<bool>{false, false, true, false} << 92 << 10;
        QTest::newRow("100 oldest") << 96 << 96 << 10 << QList<bool>{false, false, false, true} << 7 << 100;
        QTest::newRow("100 oldest, end beyond 98")
            << 200 << 150 << 10 << QList<bool>{false, false, false, true} << 61 << 100;
        QTest::newRow("the first flag wins")
            << 96 << 96 << 10 << QList<bool>{false, true, true, true} << 10 << 100;
    }
    void secondaryLogWindow()
    {
        QFETCH(int, capacity);
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(QList<bool>, flags);
        QFETCH(int, first);
        QFETCH(int, wanted);
        CFakeWireFixture<CFan> f;
        QVERIFY(f.start(new CFan(false)));
        f.unit->replies[24] = {secLogCountReply(0, capacity, count, start)};
        f.unit->replies[20] = {secLogReply(0, {})};
        f.fan->getSecondaryLog(CLogging::TS_QUARTER_HOUR, flags[0], flags[1], flags[2], flags[3], "q");
        QCOMPARE(f.unit->requests().last().left(6), bytes({20, 0}) + u16(first) + u16(wanted));
    }

    void emptyLogs()
    {
        CFakeWireFixture<CFan> f;
        QVERIFY(f.start(new CFan(false)));
        f.unit->replies[15] = {primLogReply({}, 26)};
        QCOMPARE(f.fan->getPrimaryLog(), PRIM_100_HEADING);
        f.unit->replies[24] = {secLogCountReply(1, 60, 0, 0)};
        f.unit->replies[20] = {secLogReply(1, {})};
        QCOMPARE(f.fan->getSecondaryLog(CLogging::TS_DAY, false, false, false, false, "Day"),
                 "\nSecondary Log:Day\n" + SEC_100_HEADING_12 + SEC_100_HEADING_DAY);
    }

    // Which request fails decides the text; the two unit types word it slightly differently.
    void failures_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("counts");
        QTest::addColumn<QString>("primary");
        QTest::addColumn<QString>("secondary");
        QTest::newRow("tolVane100, counts fail") << 0 << false << "Didn't get any logs..."
                                                 << "\nSecondary Log:getSecLogCnt failed!\n";
        QTest::newRow("tolVane100, fetch fails") << 0 << true << "Didn't get any logs..."
                                                 << "Didn't get any Logs...";
        QTest::newRow("plus, counts fail") << 1 << false << " Didn't get any logs"
                                           << "\nSecondary Log:getSecLogCnt failed!\n";
        QTest::newRow("plus, fetch fails") << 1 << true << " Didn't get any logs"
                                           << " Didn't get any Logs...";
    }
    void failures()
    {
        QFETCH(int, type);
        QFETCH(bool, counts);
        QFETCH(QString, primary);
        QFETCH(QString, secondary);
        CFakeWireFixture<CFanBase> f;
        QVERIFY(f.start(type == 0 ? static_cast<CFanBase*>(new CFan(false)) : new CFan_70_PC));
        if (counts)
            f.unit->replies[24] = {secLogCountReply(0, 96, 3, 0)};
        QCOMPARE(f.fan->getPrimaryLog(), primary); // no reply at all
        QCOMPARE(f.fan->getSecondaryLog(CLogging::TS_QUARTER_HOUR, false, false, false, false, "q"),
                 secondary);
    }

    // A span the unit does not log is not asked for (its counters would be read out of bounds).
    void unknownSpanIsRefused()
    {
        CFakeWireFixture<CFan> f;
        QVERIFY(f.start(new CFan(false)));
        QCOMPARE(f.fan->getSecondaryLog(CLogging::EMaxTimeSpan(3), false, false, false, false, "x"),
                 QString("Didn't get any Logs..."));
        QCOMPARE(f.unit->frames.size(), 0);
    }

    void nameTables_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("operation mode 6") << operationModeName(6) << "Test";
        QTest::newRow("operation mode 7") << operationModeName(7) << "??";
        QTest::newRow("vent selection 3") << ventSelectionText(3) << " ?? ";
        QTest::newRow("error 19") << errorCodeName(19) << "?Detail on press??";
        QTest::newRow("error 23") << errorCodeName(23) << "??";
        QTest::newRow("vent position 24") << ventPositionName(24) << "T 23";
        QTest::newRow("vent position 30") << QString::fromUtf8(ventPositionName(30)) << " 75°";
        QTest::newRow("vent position 32") << ventPositionName(32) << "????";
        QTest::newRow("vent position -1") << ventPositionName(-1) << "????";
    }
    void nameTables()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(name, expected);
    }
};

QTEST_MAIN(TestLogText)
#include "tst_updunits_logtext.moc"
