#include "CmdLineArgs.h"
#include "FixedLog.h"
#include "HumidityTable.h"

#include <QtTest>

#include <cmath>

class TestHelpers : public QObject
{
    Q_OBJECT

private slots:
    void options_data();
    void options();
    void optionsFromApplication();
    void fixLogValues_data();
    void fixLogValues();
    void fixLogFollowsLog2();
    void fixLogSelfTest();
    void humidity_data();
    void humidity();
    void humidityOtherColumn_data();
    void humidityOtherColumn();
};

void TestHelpers::options_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("takesValue");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("unused");

    const QString prog = "prog";
    QTest::newRow("value, upper-case option")
        << QStringList{prog, "-L", "de_DE"} << "l" << true << true << "de_DE"
        << "";
    QTest::newRow("value keeps case, name any case")
        << QStringList{prog, "/l", "De_de"} << "L" << true << true << "De_de"
        << "";
    QTest::newRow("value missing at the end") << QStringList{prog, "x", "-l"} << "l" << true << true << ""
                                              << "x ";
    QTest::newRow("flag everywhere") << QStringList{prog, "/T", "a", "-t"} << "t" << false << true << ""
                                     << "a ";
    QTest::newRow("value looks like an option")
        << QStringList{prog, "-l", "-t"} << "l" << true << true << "-t"
        << "";
    QTest::newRow("first value wins, later occurrence stays unused")
        << QStringList{prog, "-l", "de", "-l", "en"} << "l" << true << true << "de"
        << "-l en ";
    QTest::newRow("no value after first, second has one")
        << QStringList{prog, "-l", "-l", "en"} << "l" << true << true << "-l"
        << "en ";
    QTest::newRow("longer word is not the option")
        << QStringList{prog, "-lang", "de"} << "l" << true << false << ""
        << "-lang de ";
    QTest::newRow("double dash is not the option")
        << QStringList{prog, "--l", "de"} << "l" << true << false << ""
        << "--l de ";
    QTest::newRow("value never in the same word") << QStringList{prog, "-lde"} << "l" << true << false << ""
                                                  << "-lde ";
    QTest::newRow("bare name is not the option") << QStringList{prog, "l", "t"} << "l" << false << false << ""
                                                 << "l t ";
    QTest::newRow("program itself never matches") << QStringList{"-t"} << "t" << false << false << ""
                                                  << "";
    QTest::newRow("no arguments") << QStringList{prog} << "l" << true << false << ""
                                  << "";
}

void TestHelpers::options()
{
    QFETCH(QStringList, args);
    QFETCH(QString, name);
    QFETCH(bool, takesValue);
    QFETCH(bool, found);
    CCmdLineArgs reader(args);
    bool actualFound = !found; // must be overwritten either way
    const QString value = reader.getOption(name, &actualFound, takesValue);
    QCOMPARE(actualFound, found);
    QTEST(value, "value");
    QTEST(reader.getUnusedArgs(), "unused");
}

void TestHelpers::optionsFromApplication()
{
    // The default constructor reads the application's own arguments.
    CCmdLineArgs reader;
    bool found = true;
    QCOMPARE(reader.getOption("l", &found, true), QString());
    QVERIFY(!found);
    QCOMPARE(reader.getOption("l", nullptr, true), QString());
}

void TestHelpers::fixLogValues_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("fixLog");
    QTest::addColumn<int>("fixLogFrom1");

    QTest::newRow("0") << 0 << 0 << 0;
    QTest::newRow("1") << 1 << 0 << 0;
    QTest::newRow("511") << 511 << 0 << 0;
    QTest::newRow("512 is 1.0") << 512 << 0 << 0;
    QTest::newRow("600") << 600 << 64 << 64;
    QTest::newRow("724") << 724 << 139 << 139;
    QTest::newRow("725") << 725 << 139 << 139;
    QTest::newRow("861") << 861 << 209 << 209;
    QTest::newRow("862") << 862 << 208 << 208;
    QTest::newRow("1024") << 1024 << 278 << 278;
    QTest::newRow("1025 after the octave seam") << 1025 << 277 << 277;
    QTest::newRow("2048") << 2048 << 555 << 555;
    QTest::newRow("65535") << 65535 << 1940 << 1940;
}

void TestHelpers::fixLogValues()
{
    QFETCH(int, x);
    QTEST(int(fixLog(UINT16(x))), "fixLog");
    QTEST(int(fixLogFrom1(UINT16(x))), "fixLogFrom1");
}

void TestHelpers::fixLogFollowsLog2()
{
    // A wrong constant in one quarter octave shows as a jump away from 277 * log2(x / 512).
    for (int x = 512; x <= 65535; ++x)
    {
        const double exact = 277 * std::log2(x / 512.0);
        QVERIFY2(std::fabs(fixLog(UINT16(x)) - exact) < 2.5,
                 qPrintable(QString("x %1 gives %2, exact %3").arg(x).arg(fixLog(UINT16(x))).arg(exact)));
    }
}

void TestHelpers::fixLogSelfTest()
{
    const double factor = ::fixLogSelfTest();
    qInfo("fixLogSelfTest: worst error factor %.6f", factor);
    QVERIFY(factor >= 1.0);
    QVERIFY(factor < 1.01);
}

void TestHelpers::humidity_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("expected");

    QTest::newRow("below the table, column 0") << -161 << 0 << 5;
    QTest::newRow("below the table, column 1") << -161 << 1 << 5;
    QTest::newRow("above the table, column 0") << 401 << 0 << 1000;
    QTest::newRow("above the table, column 1") << 401 << 1 << 1000;
    QTest::newRow("lowest, column 0") << -160 << 0 << 10;
    QTest::newRow("lowest, column 1") << -160 << 1 << 7;
    QTest::newRow("highest, column 0") << 400 << 0 << 942;
    QTest::newRow("highest, column 1") << 400 << 1 << 862;
    QTest::newRow("0") << 0 << 0 << 49;
    QTest::newRow("20 degC") << 160 << 0 << 177;
    QTest::newRow("20.25 degC") << 162 << 0 << 180;
    QTest::newRow("20.5 degC counts from the upper row") << 164 << 0 << 182;
    QTest::newRow("20.5 degC, column 1") << 164 << 1 << 152;
    QTest::newRow("49.5 degC") << 396 << 0 << 917;
    QTest::newRow("49.875 degC") << 399 << 0 << 936;
    QTest::newRow("-0.125 degC, column 0") << -1 << 0 << 48;
    QTest::newRow("-0.125 degC, column 1") << -1 << 1 << 38;
    QTest::newRow("extreme low") << -32768 << 0 << 5;
    QTest::newRow("extreme high") << 32767 << 1 << 1000;
}

void TestHelpers::humidity()
{
    QFETCH(int, x);
    QFETCH(int, column);
    QTEST(InterpolateHumidityTable(qint16(x), unsigned(column)), "expected");
}

void TestHelpers::humidityOtherColumn_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<unsigned int>("column");
    QTest::newRow("column 2 at the top row") << 400 << 2u;
    QTest::newRow("column 2 mid-table") << 164 << 2u;
    QTest::newRow("huge column") << 0 << 0xFFFFFFFFu;
}

void TestHelpers::humidityOtherColumn()
{
    // A column outside the table gives 0 instead of reading past it.
    QFETCH(int, x);
    QFETCH(unsigned int, column);
    QCOMPARE(InterpolateHumidityTable(qint16(x), column), 0);
}

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_modelhelpers.moc"
