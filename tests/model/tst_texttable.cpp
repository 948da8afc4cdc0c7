#include "TextTable.h"

#include <QLocale>
#include <QString>
#include <QtTest>

class TestTextTable : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void textsByLanguage_data();
    void textsByLanguage();
    void outOfRangeGivesEmptyText_data();
    void outOfRangeGivesEmptyText();
    void stablePointer();
    void everyIndexFilled();
};

void TestTextTable::textsByLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");

    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale deAt(QLocale::German, QLocale::Austria);
    const QLocale deCh(QLocale::German, QLocale::Switzerland);
    const QLocale fr(QLocale::French, QLocale::France);

    QTest::newRow("yes en") << en << 0 << "Yes";
    QTest::newRow("yes de") << de << 0 << "Ja";
    QTest::newRow("yes de_AT") << deAt << 0 << "Ja";
    QTest::newRow("yes de_CH") << deCh << 0 << "Ja";
    QTest::newRow("yes fr falls back to English") << fr << 0 << "Yes";
    QTest::newRow("yes C") << QLocale::c() << 0 << "Yes";
    QTest::newRow("no de") << de << 1 << "Nein";
    QTest::newRow("detailed de (umlaut)") << de << 8 << QString::fromUtf8("Geräte-Infos");
    QTest::newRow("below -22 en (degree)") << en << 9 << QString::fromUtf8("Outside temperature below -22°C");
    QTest::newRow("below -22 de") << de << 9 << QString::fromUtf8("Außenluft unter -22°C");
    QTest::newRow("fire 35 en") << en << 35 << "Fire";
    QTest::newRow("fire 37 en") << en << 37 << "Fire";
    QTest::newRow("fire 35 de") << de << 35 << "Feuer";
    QTest::newRow("fire 37 de") << de << 37 << "Feuer";
    QTest::newRow("counter 112 de") << de << 112
                                    << QString::fromUtf8(
                                           "Systemwert Klappe Abluft - Zweitraum Geschw. schließen");
    QTest::newRow("misspelt sensor 133 en") << en << 133 << "Temperature sesnsor";
    QTest::newRow("value 139 de") << de << 139 << "Wert";
    QTest::newRow("last en") << en << 140 << "Address Dravlin Vozudoz Controller";
    QTest::newRow("last de") << de << 140 << "Adresse Dravlin Vozudoz Controller";
}

void TestTextTable::textsByLanguage()
{
    QFETCH(QLocale, locale);
    QFETCH(int, index);
    QFETCH(QString, expected);
    QLocale::setDefault(locale);
    QCOMPARE(QString::fromUtf8(GetText(index)), expected);
}

void TestTextTable::outOfRangeGivesEmptyText_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << -1;
    QTest::newRow("141") << 141;
    QTest::newRow("144") << 144;
    QTest::newRow("INT_MIN") << std::numeric_limits<int>::min();
    QTest::newRow("INT_MAX") << std::numeric_limits<int>::max();
}

void TestTextTable::outOfRangeGivesEmptyText()
{
    QFETCH(int, index);
    const char* text = GetText(index);
    QVERIFY(text != nullptr);
    QCOMPARE(text[0], '\0');
}

void TestTextTable::stablePointer()
{
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(GetText(28), GetText(28));
    QLocale::setDefault(QLocale(QLocale::English));
    QCOMPARE(GetText(28), GetText(28));
}

void TestTextTable::everyIndexFilled()
{
    // A missing row would shift every later text; both languages must end on the same row.
    for (const QLocale& locale : {QLocale(QLocale::English), QLocale(QLocale::German)})
    {
        QLocale::setDefault(locale);
        for (int i = 0; i < TEXT_TABLE_SIZE; ++i)
            QVERIFY2(GetText(i)[0] != '\0', qPrintable(QString::number(i)));
    }
}

QTEST_GUILESS_MAIN(TestTextTable)
#include "tst_texttable.moc"
