#include "DetailedInfoTab.h"
#include "DetailedInfoTab70.h"
#include "FanValues.h"
#include "FanValues70.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

namespace
{
QString textOf(const QWidget& tab, const char* name)
{
    const QObject* pObject = tab.findChild<QObject*>(QLatin1String(name));
    if (!pObject)
        return QStringLiteral("<missing %1>").arg(QLatin1String(name));
    if (auto pLabel = qobject_cast<const QLabel*>(pObject))
        return pLabel->text();
    if (auto pEdit = qobject_cast<const QLineEdit*>(pObject))
        return pEdit->text();
    if (auto pButton = qobject_cast<const QAbstractButton*>(pObject))
        return pButton->text();
    return qobject_cast<const QGroupBox*>(pObject)->title();
}

// Names of the checked radio buttons of the tab, in form order.
QStringList checkedButtons(const QWidget& tab)
{
    QStringList names;
    for (const QRadioButton* pButton : tab.findChildren<QRadioButton*>())
        if (pButton->isChecked())
            names << pButton->objectName();
    return names;
}

void setCurrent(CDetailedInfoTab& tab, const CFanValues& values, quint32 nSerialNr = 4711,
                bool bDeicing = false)
{
    tab.setCurrentValues(values, nSerialNr, QStringLiteral("3"), QStringLiteral("1.07"), 1200, 300, bDeicing);
}
} // namespace

class TestDetailedInfoTab : public QObject
{
    Q_OBJECT

private slots:
    void formLabelledFromDictionary_data();
    void formLabelledFromDictionary();
    void titleAndSizing();
    void checkMarksOfTheStyleSheetExist();

    void fieldsOfOnePoll();
    void roomArea_data();
    void roomArea();
    void secondRoomAndSerialNumber_data();
    void secondRoomAndSerialNumber();
    void programButtons_data();
    void programButtons();
    void reductionButtons_data();
    void reductionButtons();
    void deicingHighlightsTheReduction();

    void plusTabAdaptsTheForm();
    void plusTabFields();
    void plusPrograms_data();
    void plusPrograms();
};

void TestDetailedInfoTab::formLabelledFromDictionary_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("caption") << "LabelComfortLevel"
                             << "Comfort Level:";
    QTest::newRow("abbreviation") << "LabelComfortLevel_Abbr"
                                  << "(CL)";
    QTest::newRow("caption 2") << "LabelOperatingHours"
                               << "Operating hours:";
    QTest::newRow("unit") << "LabelRoomArea_Unit" << QString::fromUtf8("m²");
    QTest::newRow("unit 2") << "LabelMax2ndRoomExtract_Unit" << QString::fromUtf8("m³/h");
    QTest::newRow("radio without colon") << "RadioMinAir"
                                         << "Minimum Ventilation";
    QTest::newRow("radio abbreviation") << "LabelMinAir_Abbr"
                                        << "(mve)";
    QTest::newRow("serial") << "LabelSerialNumber"
                            << "Serial number:";
    QTest::newRow("program group") << "GroupBoxProgram"
                                   << "Program";
    QTest::newRow("reduction group") << "GroupBoxReduction"
                                     << "Reduction (mini)";
    // Entries without a unit keep the form's text.
    QTest::newRow("no unit of FilterHours") << "LabelFilterHours"
                                            << "Filter hours:";
    QTest::newRow("value widget untouched") << "GroupBoxEdits"
                                            << " Parameter";
    // The tolVane100 names its below -22 degC reduction from the text table.
    QTest::newRow("below -22") << "RadioMinTOut" << QString::fromUtf8("Outside temperature below -22°C");
}

void TestDetailedInfoTab::formLabelledFromDictionary()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    CDetailedInfoTab tab(nullptr);
    QCOMPARE(textOf(tab, qPrintable(name)), text);
}

void TestDetailedInfoTab::titleAndSizing()
{
    // Inside a page host, as in the main window's tab widget: the tab takes the size it is given.
    QWidget host;
    CDetailedInfoTab& tab = *new CDetailedInfoTab(&host);
    QCOMPARE(tab.getTitle(), QStringLiteral("Detailed Information"));
    QVERIFY(!tab.minimumSizeHint().isValid());

    host.resize(700, 900);
    tab.resize(600, 800);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QVERIFY(tab.styleSheet().contains(QStringLiteral("font-size       : 22px;")));
    tab.resize(600, 400);
    QVERIFY(tab.styleSheet().contains(QStringLiteral("font-size       : 8px;")));

    // Display only: nothing on the form can be edited.
    for (QWidget* pWidget : tab.findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(pWidget) || qobject_cast<QAbstractButton*>(pWidget))
            QVERIFY2(!pWidget->isEnabled(), qPrintable(pWidget->objectName()));
}

void TestDetailedInfoTab::checkMarksOfTheStyleSheetExist()
{
    CDetailedInfoTab tab(nullptr);
    for (const char* path : {":/Pixmaps/Checked.png", ":/Pixmaps/NotChecked.png"})
        QVERIFY2(!QPixmap(QLatin1String(path)).isNull(), path);
}

void TestDetailedInfoTab::fieldsOfOnePoll()
{
    CDetailedInfoTab tab(nullptr);
    CFanValues values;
    values.ComfortLevel = 3;
    values.FanExtractRPM = 1234;
    values.FanSupplyRPM = 1180;
    values.Deicing = true;
    values.RoomArea = 35;
    values.Max2ndRoomExtract = 30;
    setCurrent(tab, values);

    QCOMPARE(textOf(tab, "EditOperationMode"), values.getModeText());
    QVERIFY(!textOf(tab, "EditOperationMode").isEmpty());
    QCOMPARE(textOf(tab, "EditComfortLevel"), QStringLiteral("3"));
    QCOMPARE(textOf(tab, "EditFanExtractRPM"), QStringLiteral("1234"));
    QCOMPARE(textOf(tab, "EditFanSupplyRPM"), QStringLiteral("1180"));
    QCOMPARE(textOf(tab, "EditOperationHours"), QStringLiteral("1200"));
    QCOMPARE(textOf(tab, "EditFilterHours"), QStringLiteral("300"));
    QCOMPARE(textOf(tab, "EditBoardVersion"), QStringLiteral("3"));
    QCOMPARE(textOf(tab, "EditSoftwareVersion"), QStringLiteral("1.07"));
    QVERIFY(tab.findChild<QCheckBox*>("CheckBoxDeicing")->isChecked());

    values.Deicing = false;
    setCurrent(tab, values);
    QVERIFY(!tab.findChild<QCheckBox*>("CheckBoxDeicing")->isChecked());
}

void TestDetailedInfoTab::roomArea_data()
{
    QTest::addColumn<int>("roomArea");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("unit");
    QTest::newRow("code 1") << 1 << "(40)" << QString::fromUtf8("m³/h");
    QTest::newRow("code 2") << 2 << "(60)" << QString::fromUtf8("m³/h");
    QTest::newRow("other small") << 9 << "(9)" << QString::fromUtf8("m³/h");
    QTest::newRow("area 20") << 20 << "20" << QString::fromUtf8("m²");
    QTest::newRow("area 25") << 25 << "25" << QString::fromUtf8("m²");
}

void TestDetailedInfoTab::roomArea()
{
    QFETCH(int, roomArea);
    QFETCH(QString, shown);
    QFETCH(QString, unit);

    CDetailedInfoTab tab(nullptr);
    CFanValues values;
    values.RoomArea = roomArea == 25 ? 1 : 25; // the opposite kind first, so the unit must change
    setCurrent(tab, values);
    values.RoomArea = roomArea;
    setCurrent(tab, values);
    QCOMPARE(textOf(tab, "EditRoomArea"), shown);
    QCOMPARE(textOf(tab, "LabelRoomArea_Unit"), unit);
}

void TestDetailedInfoTab::secondRoomAndSerialNumber_data()
{
    QTest::addColumn<int>("max2ndRoom");
    QTest::addColumn<QString>("shownRoom");
    QTest::addColumn<quint32>("serialNr");
    QTest::addColumn<QString>("shownSerial");
    QTest::newRow("90 shows 100") << 90 << "100" << 4000u << "4000";
    QTest::newRow("60") << 60 << "60" << 0u << "0";
    QTest::newRow("0, unprogrammed unit") << 0 << "0" << 0xFFFFFFFFu << "4294967295";
}

void TestDetailedInfoTab::secondRoomAndSerialNumber()
{
    QFETCH(int, max2ndRoom);
    QFETCH(QString, shownRoom);
    QFETCH(quint32, serialNr);
    QFETCH(QString, shownSerial);

    CDetailedInfoTab tab(nullptr);
    CFanValues values;
    setCurrent(tab, values, 123);
    values.Max2ndRoomExtract = max2ndRoom;
    setCurrent(tab, values, serialNr);
    QCOMPARE(textOf(tab, "EditMax2ndRoomExtract"), shownRoom);
    QCOMPARE(textOf(tab, "EditSerialNumber"), shownSerial);
}

void TestDetailedInfoTab::programButtons_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("minimum ventilation") << 0 << QStringList{"RadioMinAir"};
    QTest::newRow("relative") << 1 << QStringList{"RadioRelDry"};
    QTest::newRow("absolute") << 2 << QStringList{"RadioAbsDry"};
    QTest::newRow("cooling") << 3 << QStringList{"RadioCool"};
    QTest::newRow("CO2") << 4 << QStringList{"RadioVenCO2"};
    QTest::newRow("unknown clears") << 12 << QStringList{};
}

void TestDetailedInfoTab::programButtons()
{
    QFETCH(int, program);
    QFETCH(QStringList, checked);

    CDetailedInfoTab tab(nullptr);
    CFanValues values;
    values.Program = 3; // a button checked before
    setCurrent(tab, values);
    values.Program = program;
    setCurrent(tab, values);
    QCOMPARE(checkedButtons(*tab.findChild<QGroupBox*>("GroupBoxProgram")), checked);
}

void TestDetailedInfoTab::reductionButtons_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("reductionReason");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("defrost bypass") << 0 << 1 << QStringList{"RadioDefrostBypass"};
    QTest::newRow("defrost supply") << 0 << 2 << QStringList{"RadioDefrostBypass"};
    QTest::newRow("water") << 5 << 0 << QStringList{"RadioSupplyCondensing"};
    QTest::newRow("below -22") << 6 << 0 << QStringList{"RadioMinTOut"};
    QTest::newRow("humidity") << 7 << 0 << QStringList{"RadioHumInput"};
    QTest::newRow("none clears") << 0 << 0 << QStringList{};
}

void TestDetailedInfoTab::reductionButtons()
{
    QFETCH(int, program);
    QFETCH(int, reductionReason);
    QFETCH(QStringList, checked);

    CDetailedInfoTab tab(nullptr);
    CFanValues values;
    values.Program = 7;
    setCurrent(tab, values);
    values.Program = program;
    values.ReductionReason = reductionReason;
    setCurrent(tab, values);
    QCOMPARE(checkedButtons(*tab.findChild<QGroupBox*>("GroupBoxReduction")), checked);
}

void TestDetailedInfoTab::deicingHighlightsTheReduction()
{
    CDetailedInfoTab tab(nullptr);
    CFanValues values;
    setCurrent(tab, values, 4711, true);
    QCOMPARE(tab.findChild<QGroupBox*>("GroupBoxReduction")->styleSheet(),
             QStringLiteral("QGroupBox::title { background-color: rgb(  183, 183, 0); }"));
    QCOMPARE(textOf(tab, "RadioMinTOut"), QStringLiteral("Deicing outer wall"));
    QCOMPARE(textOf(tab, "LabelMinTOut_Abbr"), QStringLiteral("(dow)"));

    setCurrent(tab, values, 4711, false);
    QCOMPARE(tab.findChild<QGroupBox*>("GroupBoxReduction")->styleSheet(), QString());
    QCOMPARE(textOf(tab, "RadioMinTOut"), QString::fromUtf8("Outside temperature below -22°C"));
    QCOMPARE(textOf(tab, "LabelMinTOut_Abbr"), QStringLiteral("(otb)"));
}

void TestDetailedInfoTab::plusTabAdaptsTheForm()
{
    CDetailedInfoTab70 tab(nullptr);
    tab.show();
    for (const char* name :
         {"LabelFanSupplyRPM", "LabelFanSupplyRPM_Abbr", "EditFanSupplyRPM", "LabelFanSupplyRPM_Unit",
          "LabelDeicing", "LabelDeicing_Abbr", "CheckBoxDeicing", "LabelMax2ndRoomExtract",
          "LabelMax2ndRoomExtract_Abbr", "EditMax2ndRoomExtract", "LabelMax2ndRoomExtract_Unit",
          "LabelFilterHours", "LabelFilterHours_Abbr", "EditFilterHours", "RadioDefrostBypass",
          "LabelDefrostBypass_Abbr", "RadioSupplyCondensing", "LabelSupplyCondensing_Abbr"})
        QVERIFY2(!tab.findChild<QWidget*>(QLatin1String(name))->isVisible(), name);
    for (const char* name : {"EditFanExtractRPM", "EditOperationHours", "RadioMinTOut", "RadioHumInput"})
        QVERIFY2(tab.findChild<QWidget*>(QLatin1String(name))->isVisible(), name);

    QCOMPARE(tab.getTitle(), QStringLiteral("Detailed Information"));
    QCOMPARE(textOf(tab, "LabelFanExtractRPM"), QStringLiteral("Fan Speed"));
    QCOMPARE(textOf(tab, "LabelFanExtractRPM_Abbr"), QStringLiteral("(FS)"));
    QCOMPARE(textOf(tab, "RadioMinTOut"), QStringLiteral("CO2 Input"));
    QCOMPARE(textOf(tab, "LabelMinTOut_Abbr"), QStringLiteral("(CO2in)"));
}

void TestDetailedInfoTab::plusTabFields()
{
    CDetailedInfoTab70 tab(nullptr);
    CFanValues70 values;
    values.ComfortLevel = 2;
    values.RoomArea = 1; // no air-flow codes on this unit: shown as it is
    values.FanRPM70 = 987;
    tab.setCurrentValues(values, 2147483649u, QStringLiteral("2"), QStringLiteral("1.02"), 77, 99, true);

    QCOMPARE(textOf(tab, "EditOperationMode"), values.getModeText());
    QCOMPARE(textOf(tab, "EditComfortLevel"), QStringLiteral("2"));
    QCOMPARE(textOf(tab, "EditRoomArea"), QStringLiteral("1"));
    QCOMPARE(textOf(tab, "EditFanExtractRPM"), QStringLiteral("987"));
    QCOMPARE(textOf(tab, "EditOperationHours"), QStringLiteral("77"));
    QCOMPARE(textOf(tab, "EditSerialNumber"), QStringLiteral("2147483649"));
    QCOMPARE(textOf(tab, "EditBoardVersion"), QStringLiteral("2"));
    QCOMPARE(textOf(tab, "EditSoftwareVersion"), QStringLiteral("1.02"));
    // The unused arguments reach nothing.
    QCOMPARE(textOf(tab, "EditFilterHours"), QString());
    QCOMPARE(tab.findChild<QGroupBox*>("GroupBoxReduction")->styleSheet(), QString());
}

void TestDetailedInfoTab::plusPrograms_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("minimum ventilation") << 0 << QStringList{"RadioMinAir"};
    QTest::newRow("CO2 ventilation") << 4 << QStringList{"RadioVenCO2"};
    QTest::newRow("humidity input") << 5 << QStringList{"RadioHumInput"};
    QTest::newRow("CO2 input") << 6 << QStringList{"RadioMinTOut"};
    QTest::newRow("humidity and CO2 input") << 7 << QStringList{"RadioHumInput", "RadioMinTOut"};
    QTest::newRow("unknown") << 9 << QStringList{};
}

void TestDetailedInfoTab::plusPrograms()
{
    QFETCH(int, program);
    QFETCH(QStringList, checked);

    CDetailedInfoTab70 tab(nullptr);
    CFanValues70 values;
    for (int previous : {3, 7, program})
    {
        values.Program = previous;
        tab.setCurrentValues(values, 1, QString(), QString(), 0, 0, false);
    }
    QCOMPARE(checkedButtons(tab), checked);
}

QTEST_MAIN(TestDetailedInfoTab)
#include "tst_detailedinfotab.moc"
