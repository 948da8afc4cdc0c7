#include "CommonTranslations.h"
#include "DataDict.h"
#include "FanValues.h"
#include "ImportHeaders.h"
#include "TextTable.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

// A German system with the German translation installed before the dictionary is built.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void germanDictionary_data();
    void germanDictionary();
    void germanModeText();
    void loadFromAnyFolder_data();
    void loadFromAnyFolder();
    void languagesTellApart();
    void importHeadersUnambiguous_data();
    void importHeadersUnambiguous();
    void abbreviationFollowsLaterTranslation();
};

void TestTranslations::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // A country-specific name falls back to the language's file.
    QVERIFY(installCommonTranslation("de_DE") != nullptr);
    QVERIFY(CDataDict::instance() != nullptr);
}

void TestTranslations::germanDictionary_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");

    QTest::newRow("translated description") << 0 << 0 << "Zeitstempel des Log-Eintrags";
    QTest::newRow("translated abbreviation") << 0 << 1 << "ZEIT";
    QTest::newRow("raw abbreviation stays") << 0 << 2 << "TIM";
    QTest::newRow("column name stays") << 0 << 4 << "LogTimestamp";
    QTest::newRow("text-table description") << 37 << 0 << "Temperatur Abluft";
    QTest::newRow("text-table abbreviation") << 37 << 1 << "TAB";
    QTest::newRow("text-table description with umlaut")
        << 26 << 0 << QString::fromUtf8("Außenluft unter -22°C");
    QTest::newRow("mode name") << 6 << 0 << "Schlafmodus";
    QTest::newRow("unit") << 63 << 3 << "S:M";
    QTest::newRow("unit kept") << 36 << 3 << QString::fromUtf8("m³/h");
    QTest::newRow("air flow") << 36 << 1 << "LST";
    QTest::newRow("power consumption") << 86 << 1 << "EVB";
    QTest::newRow("leading blank kept") << 120 << 1 << " LQZU";
    QTest::newRow("supply quality") << 120 << 0 << QString::fromUtf8("Luftqualität Zuluft (unkorr.)");
}

void TestTranslations::germanDictionary()
{
    QFETCH(int, index);
    QFETCH(int, column);
    QTEST(CDataDict::instance()->getText(index, column), "expected");
}

void TestTranslations::germanModeText()
{
    SPrimLogEntry entry;
    entry.m_Bytes[19] = 0x10; // humidity reduction in mode 0
    QCOMPARE(CFanValues(entry).getModeText(), QString("Entfeuchtung"));
    entry.m_Bytes[14] = 1 << 5;
    QCOMPARE(CFanValues(entry).getModeText(), QString("Entfeuchtung (Erstraum)"));
    QCOMPARE(CFanValues(entry).getValue(2).toString(), QString("km1"));
}

void TestTranslations::loadFromAnyFolder_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("loads");
    QTest::newRow("de") << "de" << true;
    QTest::newRow("en") << "en" << true;
    QTest::newRow("en_US") << "en_US" << true;
    QTest::newRow("de_AT") << "de_AT" << true;
    QTest::newRow("fr") << "fr" << false;
    QTest::newRow("empty") << "" << false;
}

void TestTranslations::loadFromAnyFolder()
{
    QFETCH(QString, locale);
    QTemporaryDir elsewhere;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    QTranslator translator;
    const bool loaded = loadCommonTranslation(translator, locale);
    QDir::setCurrent(previous);
    QTEST(loaded, "loads");
}

void TestTranslations::languagesTellApart()
{
    // The import holds both translators at once and tries German first, ignoring case:
    // the time-stamp header must differ between the languages.
    QTranslator german;
    QTranslator english;
    QVERIFY(loadCommonTranslation(german, "de"));
    QVERIFY(loadCommonTranslation(english, "en"));
    const QString de = german.translate("CDataDict", "TIM");
    const QString en = english.translate("CDataDict", "TIM");
    QCOMPARE(de, QString("ZEIT"));
    QCOMPARE(en, QString("TIM"));
    QVERIFY(de.compare(en, Qt::CaseInsensitive) != 0);
    // Abbreviations of the text table are understood in the other system language too.
    QCOMPARE(german.translate("CDataDict", "TEX"), QString("TAB"));
    QCOMPARE(english.translate("CDataDict", "TAB"), QString("TEX"));
}

void TestTranslations::importHeadersUnambiguous_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("de") << "de";
    QTest::newRow("en") << "en";
}

void TestTranslations::importHeadersUnambiguous()
{
    QFETCH(QString, locale);
    QTranslator translator;
    QVERIFY(loadCommonTranslation(translator, locale));
    QCOMPARE(ambiguousImportHeaders(translator), QStringList());
}

void TestTranslations::abbreviationFollowsLaterTranslation()
{
    // Descriptions keep the language of the build; the translated abbreviation follows the
    // translator installed now.
    QTranslator english;
    QVERIFY(loadCommonTranslation(english, "en"));
    QVERIFY(QCoreApplication::installTranslator(&english));
    const CDataDict* dict = CDataDict::instance();
    QCOMPARE(dict->getText(0, 1), QString("TIM"));
    QCOMPARE(dict->getText(37, 1), QString("TEX"));
    QCOMPARE(dict->getText(0, 0), QString("Zeitstempel des Log-Eintrags"));
    QCoreApplication::removeTranslator(&english);
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
