#include "CommonTranslations.h"
#include "DataDict.h"
#include "ImportHeaders.h"

#include <QLocale>
#include <QtTest>

class TestDataDict : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void texts_data();
    void texts();
    void attributes_data();
    void attributes();
    void indexOf_data();
    void indexOf();
    void groupColors_data();
    void groupColors();
    void tableSchema_data();
    void tableSchema();
    void storedExactlyWhenTyped();
    void singleInstance();
    void importHeadersUnambiguous_data();
    void importHeadersUnambiguous();
};

void TestDataDict::initTestCase()
{
    // The text-table cells follow the locale at the moment the dictionary is built.
    QLocale::setDefault(QLocale(QLocale::English));
}

void TestDataDict::texts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("parentheses");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("isNull");

    QTest::newRow("0 column name") << 0 << 4 << false << "LogTimestamp" << false;
    QTest::newRow("1 column name") << 1 << 4 << false << "RES" << false;
    QTest::newRow("3 not stored") << 3 << 4 << false << "" << false;
    QTest::newRow("3 raw abbreviation in parentheses") << 3 << 2 << true << "(cmf)" << false;
    QTest::newRow("3 description") << 3 << 0 << false << "Comfort" << false;
    QTest::newRow("62 empty description in parentheses") << 62 << 0 << true << "()" << false;
    QTest::newRow("139 is no entry") << 139 << 0 << true << QString() << true;
    QTest::newRow("-1 is no entry") << -1 << 1 << false << QString() << true;
    QTest::newRow("unknown column ignores parentheses") << 0 << 5 << true << "" << false;
    QTest::newRow("negative column") << 0 << -1 << false << "" << false;
    QTest::newRow("120 leading blank") << 120 << 2 << false << " QSU" << false;
    QTest::newRow("120 two blanks") << 120 << 0 << false << "Supply air quality  (uncor.)" << false;
    QTest::newRow("31 unit") << 31 << 3 << false << QString::fromUtf8("m²") << false;
    QTest::newRow("36 unit in parentheses") << 36 << 3 << true << QString::fromUtf8("(m³/h)") << false;
    QTest::newRow("37 unit") << 37 << 3 << false << QString::fromUtf8("°C") << false;
    QTest::newRow("37 abbreviation from text table") << 37 << 1 << false << "TEX" << false;
    QTest::newRow("37 description from text table") << 37 << 0 << false << "Temperature extract air" << false;
    QTest::newRow("26 description with degree")
        << 26 << 0 << false << QString::fromUtf8("Outside temperature below -22°C") << false;
    QTest::newRow("29 abbreviation") << 29 << 1 << false << "CA" << false;
    QTest::newRow("36 abbreviation") << 36 << 2 << false << "AFL" << false;
    QTest::newRow("60 shares abbreviation") << 60 << 2 << false << "AFL" << false;
    QTest::newRow("70 column") << 70 << 4 << false << "DSeM" << false;
    QTest::newRow("51 computed, no column") << 51 << 4 << false << "" << false;
    QTest::newRow("113 misspelt text") << 113 << 0 << false << "Temperature sesnsor" << false;
    QTest::newRow("138 last") << 138 << 4 << false << "CFA" << false;
}

void TestDataDict::texts()
{
    QFETCH(int, index);
    QFETCH(int, column);
    QFETCH(bool, parentheses);
    QFETCH(QString, expected);
    QFETCH(bool, isNull);
    const QString text = CDataDict::instance()->getText(index, column, parentheses);
    QCOMPARE(text, expected);
    QCOMPARE(text.isNull(), isNull);
}

void TestDataDict::attributes_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("group");
    QTest::addColumn<bool>("plottable");

    QTest::newRow("0 timestamp") << 0 << 1 << 27 << 5 << false;
    QTest::newRow("2 mode text") << 2 << 4 << 9 << 5 << false;
    QTest::newRow("26 name") << 26 << 0 << 0 << 3 << false;
    QTest::newRow("28 flag") << 28 << 3 << 1 << 5 << false;
    QTest::newRow("33 plus fan") << 33 << 1 << 8 << 5 << true;
    QTest::newRow("41 outdoor") << 41 << 2 << 3 << 3 << true;
    QTest::newRow("49 exhaust") << 49 << 2 << 3 << 4 << true;
    QTest::newRow("53 computed") << 53 << 2 << 1 << 5 << true;
    QTest::newRow("86 computed") << 86 << 2 << 2 << 5 << true;
    QTest::newRow("88 real counter") << 88 << 2 << 18 << 5 << true;
    QTest::newRow("120 supply") << 120 << 1 << 8 << 1 << false;
    QTest::newRow("139") << 139 << 0 << 0 << 0 << false;
    QTest::newRow("-1") << -1 << 0 << 0 << 0 << false;
    QTest::newRow("200") << 200 << 0 << 0 << 0 << false;
}

void TestDataDict::attributes()
{
    QFETCH(int, index);
    const CDataDict* dict = CDataDict::instance();
    QTEST(dict->getType(index), "type");
    QTEST(dict->getTableMask(index), "mask");
    QTEST(dict->getGroup(index), "group");
    QTEST(dict->isPlottable(index), "plottable");
}

void TestDataDict::indexOf_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("index");

    QTest::newRow("ExtractTemp") << "ExtractTemp" << 37;
    QTest::newRow("first") << "LogTimestamp" << 0;
    QTest::newRow("last") << "FanCmdsFailed" << 138;
    QTest::newRow("RSSI") << "RSSI" << 61;
    QTest::newRow("OM_Standard") << "OM_Standard" << 3;
    QTest::newRow("ERR_Wlan") << "ERR_Wlan" << 118;
    QTest::newRow("SupplyTemp70") << "SupplyTemp70" << 38;
    QTest::newRow("SupplyTemp") << "SupplyTemp" << 46;
    QTest::newRow("column name is no key") << "TET" << 139;
    QTest::newRow("abbreviation is no key") << "AFL" << 139;
    QTest::newRow("case-sensitive") << "extracttemp" << 139;
    QTest::newRow("empty") << "" << 139;
}

void TestDataDict::indexOf()
{
    QFETCH(QString, key);
    QTEST(CDataDict::instance()->indexOf(key), "index");
}

void TestDataDict::groupColors_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QColor>("color");
    QTest::newRow("supply") << 1 << QColor(128, 0, 0);
    QTest::newRow("extract") << 2 << QColor(128, 128, 0);
    QTest::newRow("outdoor") << 3 << QColor(0, 128, 0);
    QTest::newRow("exhaust") << 4 << QColor(196, 160, 96);
    QTest::newRow("general") << 5 << QColor(249, 169, 49);
    QTest::newRow("0") << 0 << QColor(0, 0, 0);
    QTest::newRow("6") << 6 << QColor(0, 0, 0);
    QTest::newRow("-1") << -1 << QColor(0, 0, 0);
}

void TestDataDict::groupColors()
{
    QFETCH(int, group);
    QFETCH(QColor, color);
    const QColor actual = CDataDict::getGroupColor(group);
    QCOMPARE(actual, color);
    QCOMPARE(actual.alpha(), 255);
}

void TestDataDict::tableSchema_data()
{
    QTest::addColumn<int>("tableBit");
    QTest::addColumn<QString>("columns");

    QTest::newRow("ValueLogs")
        << 1
        << "LogTimestamp int, OM text, PRG text, RED text, HR int, SC int, CL int, RA int, A2 int, FSS int, "
           "FSE int, AFL int, TET real, HET int, TOU real, HOU int, CO2 int, TSU real, TSC real, TEH real, "
           "PRS int, "
           "OPH int, FIH int, DEI int, SNR int, RSSI int, ES text, EFN int, ELN int, ECO int, VPE int, VBY "
           "int, "
           "VBA int, VPS int, TPE int, TBY int, TBA int, TPS int, FSF int, FEF int, DIP int, FSC int, FEC "
           "int, "
           "CSU int, CFA int";
    QTest::newRow("SecLogs")
        << 2
        << "LogTimestamp int, RES int, TET real, HET int, TOU real, HOU int, CO2 int, TSU real, TEH real, "
           "PRS int, "
           "SNR int, LTS int, DL1 int, DL2 int, DL3 int, DL4 int, DL5 int, DSM int, DTM int, D1R int, DDF "
           "int, "
           "DMV int, DWI int, DHI int, DRA int, DRR int, DCO int, DC2 int, HRU int, HRN int, EXE int, REE "
           "int, "
           "COE int, AEX real, WAR int, ES text, EFN int, ELN int, ECO int, FSF int, FEF int";
    QTest::newRow("ValueLogs70") << 8
                                 << "LogTimestamp int, OM text, PRG text, RED text, CL int, RA int, FSP int, "
                                    "AFL int, TET real, TSU real, "
                                    "HET int, HOU int, AQE int, AQS int, OPH int, SNR int, ES text, QEU int, "
                                    "QSU int, EFN int, ELN int, "
                                    "ECO int, DIP int";
    QTest::newRow("SecLogs70")
        << 16
        << "LogTimestamp int, RES int, TET real, TSU real, HET int, HOU int, AQE int, AQS int, SNR int, LTS "
           "int, "
           "DL1 int, DL2 int, DL3 int, DL4 int, DL5 int, DTM int, DSeM int, DMV int, DHI int, DCO2I int, "
           "DHuCO2I int, DRA int, DRR int, DCO int, DC2 int, COE int, AEX real, WAR int, ES text, EFN int, "
           "ELN int, ECO int";
}

void TestDataDict::tableSchema()
{
    // The columns a log table is created with, in index order: every entry with the table's
    // bit and a column name, typed by the entry's value type.
    QFETCH(int, tableBit);
    QFETCH(QString, columns);
    const CDataDict* dict = CDataDict::instance();
    const char* sqlType[] = {"", "int", "real", "int", "text"};
    QStringList actual;
    for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
    {
        const QString name = dict->getText(i, CDataDict::COL_COLUMN_NAME);
        if ((dict->getTableMask(i) & tableBit) && !name.isEmpty())
            actual << name + QLatin1Char(' ') + QLatin1String(sqlType[dict->getType(i)]);
    }
    QCOMPARE(actual.join(QLatin1String(", ")), columns);
}

void TestDataDict::storedExactlyWhenTyped()
{
    // Type 0 entries are names only: no table bit, no column. Every typed entry belongs to a table.
    const CDataDict* dict = CDataDict::instance();
    for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
    {
        const bool typed = dict->getType(i) != CDataDict::VT_NONE;
        QVERIFY2(typed == (dict->getTableMask(i) != 0), qPrintable(QString::number(i)));
        if (!typed)
            QVERIFY2(dict->getText(i, CDataDict::COL_COLUMN_NAME).isEmpty(), qPrintable(QString::number(i)));
    }
}

void TestDataDict::singleInstance()
{
    QCOMPARE(CDataDict::instance(), CDataDict::instance());
}

void TestDataDict::importHeadersUnambiguous_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("de") << "de";
    QTest::newRow("en") << "en";
}

void TestDataDict::importHeadersUnambiguous()
{
    // Built under an English system locale; a file of either language must map back.
    QFETCH(QString, locale);
    QTranslator translator;
    QVERIFY(loadCommonTranslation(translator, locale));
    QCOMPARE(ambiguousImportHeaders(translator), QStringList());
}

QTEST_GUILESS_MAIN(TestDataDict)
#include "tst_datadict.moc"
