#include "DebugCorMisto70.h"
#include "DebugTolVane100.h"
#include "ModalAnswerer.h"
#include "TestFiles.h"
#include "UnitRig.h"
#include "VokDelimTextModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLCDNumber>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

using unitsim::EUnitType;

// The service panels against the simulated unit: texts of the diagnostic buttons, the records
// they send, and the test-case runner over the test-values file.
class TestServicePanels : public QObject
{
    Q_OBJECT

private slots:
    void diagnosticTexts();
    void testCaseSendsTheTolVane100Record();
    void testCaseSendsThePlusRecordAndStoresItsResult();
    void automaticModeRunsEveryCaseOnce();
    void ventMoveAndDipOptionLabel();
    void missingColumnIsReportedAndTheBoxStillFilled();
    void numberCellsTakeADecimalCommaAndRefuseOtherText();
    void windowWithThePanelStaysOnTheScreen();

private:
    std::unique_ptr<CMainDialog> makeDialog();
    [[nodiscard]] bool writeTestFile(const QByteArray& text);

    QTemporaryDir m_Dir;
};

namespace
{
QPushButton* button(QWidget* pPanel, const QString& text)
{
    for (QPushButton* pButton : pPanel->findChildren<QPushButton*>())
        if (pButton->text() == text)
            return pButton;
    return nullptr;
}

template <typename T> T* withText(QWidget* pPanel, const QString& text)
{
    for (T* pWidget : pPanel->findChildren<T*>())
        if (pWidget->text() == text)
            return pWidget;
    return nullptr;
}

QByteArray hex(const QByteArray& bytes)
{
    return bytes.toHex(' ');
}
} // namespace

std::unique_ptr<CMainDialog> TestServicePanels::makeDialog()
{
    auto pDialog = std::make_unique<CMainDialog>(false, false, false, false, false, false, QString(),
                                                 QString(), true, m_Dir.filePath("values.csv"));
    QCoreApplication::sendPostedEvents(pDialog.get(), QEvent::MetaCall); // the first search
    return pDialog;
}

bool TestServicePanels::writeTestFile(const QByteArray& text)
{
    return TestFiles::writeFile(m_Dir.filePath("values.csv"), text);
}

void TestServicePanels::diagnosticTexts()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    rig.unit.updateModel(
        [](unitsim::SSimUnitModel& m)
        {
            m.partitions = unitsim::partitionEntry(0x1000, 0x4000, 1, 2, 12, 0x0F) +
                           unitsim::partitionEntry(70000, 512, 3, 2, 5, 0x02);
        });
    auto pDialog = makeDialog();
    CDebugWidget* pPanel = pDialog->debugWidget();
    QVERIFY(pPanel);
    QTextEdit* pEdit = pDialog->debugEdit();

    button(pPanel, "Erase Log Data")->click();
    button(pPanel, "Get Counters")->click();
    const QStringList counters = pEdit->toPlainText().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(counters.size(), 74);
    QVERIFY(counters[0].startsWith("Counter   0: "));
    QVERIFY(counters[73].startsWith("Counter  73: "));

    button(pPanel, "Erase Log Data")->click();
    button(pPanel, "Get Part Table")->click();
    const QStringList table = pEdit->toPlainText().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(table.size(), 22);
    QCOMPARE(
        table[1],
        QStringLiteral("Type, MainVer, SubVer,  Start , Size , CRC16OK, CRC16KO, CRC16_MIROK, CRC16_MIRKO"));
    QCOMPARE(
        table[2],
        QStringLiteral("   1,       2,     12,    4096, 16384,       1,       2,           4,           8 "));
    QCOMPARE(
        table[3],
        QStringLiteral("   3,       2,      5,   70000,   512,       0,       2,           0,           0 "));
    QCOMPARE(
        table[21],
        QStringLiteral("   0,       0,      0,       0,     0,       0,       0,           0,           0 "));

    // The plus unit has no Wi-Fi: no request, an empty paragraph.
    rig.unit.clearRecords();
    const int nBlocks = pEdit->document()->blockCount();
    button(pPanel, "Get Wifi Data Debug")->click();
    QCOMPARE(rig.requestsReceived(), 0);
    QCOMPARE(pEdit->document()->blockCount(), nBlocks + 1);
    QVERIFY(pEdit->document()->lastBlock().text().isEmpty());

    // Cancelling the erase sends nothing.
    CBoxAnswerer cancel(QMessageBox::Cancel);
    button(pPanel, "Erase Sec Log")->click();
    QCOMPARE(cancel.seen.size(), 1);
    QCOMPARE(cancel.seen[0].text, QStringLiteral("The secondary log \"15 min\" will be deleted"));
    QCOMPARE(rig.requestsReceived(), 0);
}

void TestServicePanels::testCaseSendsTheTolVane100Record()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 3, 2, 12, 2, 12));
    QVERIFY(writeTestFile(
        "Test case;Description;Hum Red;Com level;Room area;2nd room flow;Sum Cool Temp;T-Outdoor;"
        "T-Extract;T-Exhaust;T-Supply;Rel. hum. out;Rel. hum. extract;CO2;Ave RH Ext;Ave TOut;Wait time\n"
        "A;first;1;200;35;90;18;-10.0625;22;12.5;20.0625;65;45;800;55;14;2\n"));
    auto pDialog = makeDialog();
    auto* pPanel = qobject_cast<CDebugTolVane100*>(pDialog->debugWidget());
    QVERIFY(pPanel);
    withText<QCheckBox>(pPanel, "First Room Off")->setChecked(true);
    pPanel->ReloadTestFile();
    QCOMPARE(pPanel->testCaseCombo()->count(), 1);
    pPanel->testCaseCombo()->setCurrentIndex(0);

    // Comfort 200: code 4; DIP 3 + 4 * 1 + 8 + 16 * 2 = 47; temperatures in eighths, halves away from zero.
    QCOMPARE(hex(rig.unit.model().lastSimulationValues),
             hex(QByteArray::fromHex("10 04 2f 01 37 0e a1 00 af ff 41 00 64 00 b0 00 2d 00 20 03 00 00")));
    QCOMPARE(pPanel->countdown()->intValue(), 2);
}

void TestServicePanels::testCaseSendsThePlusRecordAndStoresItsResult()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    rig.unit.updateModel(
        [](unitsim::SSimUnitModel& m)
        {
            m.state[17] = char(0x40); // mode 4
            m.state[23] = char(0xFF); // air speed -1
        });
    QVERIFY(writeTestFile(
        "Extra;Test case;Description;Com level;Room area;Sum Cool Temp;T-Extract;T-Supply;Rel. hum. extract;"
        "Rel. hum. sup;CO2 Ext;CO2 Sup;Ave RH Ext;Wait time;R Auto Ctrl;R Air Speed\n"
        "kept;A;first;0;75;0;22.5;20.0625;45;35;900;400;50;1;old result that is longer;x\n"));
    auto pDialog = makeDialog();
    auto* pPanel = qobject_cast<CDebugCorMisto70*>(pDialog->debugWidget());
    QVERIFY(pPanel);
    const QList<QLineEdit*> edits = pPanel->findChildren<QLineEdit*>();
    const int nEmptyAtStart =
        int(std::count_if(edits.begin(), edits.end(), [](QLineEdit* p) { return p->text().isEmpty(); }));
    pPanel->ReloadTestFile();
    pPanel->testCaseCombo()->setCurrentIndex(0);

    // Room area 75 (index 5), summer cooling 0 (index 3): DIP 46; no "Ave TOut": the field's 22.
    QCOMPARE(hex(rig.unit.model().lastSimulationValues),
             hex(QByteArray::fromHex("10 00 2e 32 16 00 a1 00 b4 00 23 00 2d 00 90 01 84 03"
                                     "00 00 00 00 00 00 00 00 00 00 00 00")));
    QCOMPARE(pPanel->countdown()->intValue(), 1);
    pPanel->slotTimerTimeOutAll();
    QCOMPARE(pPanel->countdown()->intValue(), 0);

    QFile file(m_Dir.filePath("values.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.value(1),
             QByteArray("kept;A;first;0;75;0;22.5;20.0625;45;35;900;400;50;1;VenCO2;     -1"));
    QVERIFY(nEmptyAtStart >= 3); // both humidity outputs and the dump address start empty
}

void TestServicePanels::automaticModeRunsEveryCaseOnce()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    QVERIFY(writeTestFile("Test case;Com level;Wait time;R Air Speed\nA;1;1;\nB;2;1;\nC;3;0;\n"));
    auto pDialog = makeDialog();
    CDebugWidget* pPanel = pDialog->debugWidget();
    CBoxAnswerer answerer; // the file lacks required columns
    pPanel->ReloadTestFile();
    withText<QCheckBox>(pPanel, "Automatic Test Mode")->setChecked(true);
    pPanel->testCaseCombo()->setCurrentIndex(0);
    for (int tick = 0; tick < 5; ++tick)
        pPanel->slotTimerTimeOutAll();
    // A and B stored their result; C has no wait time: applied, never stored, no further case.
    QCOMPARE(pPanel->testCaseCombo()->currentText(), QStringLiteral("C"));
    QCOMPARE(pPanel->testModel()->cellData(0, 3).toString().size(), 7);
    QCOMPARE(pPanel->testModel()->cellData(1, 3).toString().size(), 7);
    QVERIFY(pPanel->testModel()->cellData(2, 3).toString().isEmpty());
    QCOMPARE(rig.unit.model().lastSimulationValues.at(1), char(2)); // C's comfort level 3
}

void TestServicePanels::ventMoveAndDipOptionLabel()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 3000, 3, 2, 12, 2, 12));
    auto pDialog = makeDialog();
    CDebugWidget* pPanel = pDialog->debugWidget();
    QVERIFY(withText<QCheckBox>(pPanel, "Power Line"));
    button(pPanel, "Move 2nd")->click(); // no position chosen: nothing sent
    QVERIFY(rig.unit.model().ventMoves.isEmpty());
    withText<QRadioButton>(pPanel, "Tick-")->setChecked(true);
    button(pPanel, "Move 2nd")->click();
    QCOMPARE(hex(rig.unit.model().ventMoves.value(0)), hex(QByteArray::fromHex("1c 01 01")));

    CDebugTolVane100 panel(pDialog.get(), 3001);
    QVERIFY(withText<QCheckBox>(&panel, "First Room Off"));
}

void TestServicePanels::missingColumnIsReportedAndTheBoxStillFilled()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    QVERIFY(writeTestFile("Description;Com level\nx;1\ny;2\n"));
    auto pDialog = makeDialog();
    CDebugWidget* pPanel = pDialog->debugWidget();
    CBoxAnswerer answerer;
    pPanel->ReloadTestFile();
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].text, QStringLiteral("Missing column in test file ('Test case')."));
    QCOMPARE(pPanel->testCaseCombo()->count(), 2);
    QCOMPARE(pPanel->testCaseCombo()->itemText(0), QString());
}

void TestServicePanels::numberCellsTakeADecimalCommaAndRefuseOtherText()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    QVERIFY(writeTestFile(
        "Test case;Description;Com level;Room area;Sum Cool Temp;T-Extract;T-Supply;Rel. hum. extract;"
        "Rel. hum. sup;CO2 Ext;CO2 Sup;Ave RH Ext;Wait time\n"
        "A;;;;;-5,5; 20.5 ;;45;;;;1\n"
        "B;;;;;warm;1;;;;;;1\n"));
    auto pDialog = makeDialog();
    auto* pPanel = qobject_cast<CDebugCorMisto70*>(pDialog->debugWidget());
    QVERIFY(pPanel);
    pPanel->ReloadTestFile();
    pPanel->testCaseCombo()->setCurrentIndex(0);
    // Supply 20.5 and extract -5.5 degrees in eighths, supply humidity 45; empty cells read 0.
    QCOMPARE(hex(rig.unit.model().lastSimulationValues.mid(6, 6)), hex(QByteArray::fromHex("a400d4ff2d00")));

    rig.unit.clearRecords();
    CBoxAnswerer answerer;
    pPanel->testCaseCombo()->setCurrentIndex(1);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].text, QStringLiteral("Row 2, column 'T-Extract': 'warm' is not a number."));
    QCOMPARE(rig.requestsReceived(), 0);
}

// The panel is far wider than many screens: it scrolls sideways instead of setting the window's
// least width, and the window stays within the screen with its own buttons in reach.
void TestServicePanels::windowWithThePanelStaysOnTheScreen()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    auto pDialog = makeDialog();
    QVERIFY(pDialog->debugWidget());
    pDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(pDialog.get()));
    QCoreApplication::processEvents();

    const QRect available = pDialog->screen()->availableGeometry();
    const int nPanelWidth = pDialog->debugWidget()->sizeHint().width();
    QVERIFY(nPanelWidth > available.width());
    QVERIFY(pDialog->minimumSizeHint().width() < nPanelWidth);
    QVERIFY(pDialog->width() <= qMax(available.width(), pDialog->minimumSizeHint().width()));
    QPushButton* pClose = pDialog->findChild<QPushButton*>("ButtonClose");
    QVERIFY(available.contains(QRect(pClose->mapToGlobal(QPoint(0, 0)), pClose->size())));
}

QTEST_MAIN(TestServicePanels)
#include "tst_servicepanels.moc"
