#include "debugwidget.h"

#include "Fan.h"
#include "FanBase.h"
#include "HumidityTable.h"
#include "VokDelimTextModel.h"
#include "maindialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QFile>
#include <QHBoxLayout>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cmath>

namespace
{
const char* const TEST_CASE_COLUMN = "Test case";
const char* const WAIT_TIME_COLUMN = "Wait time";

void showFileMessage(const QString& text, const QString& informative = QString())
{
    QMessageBox box;
    box.setText(text);
    box.setInformativeText(informative);
    box.exec();
}
} // namespace

CDebugWidget::CDebugWidget(CMainDialog* pDialog, QWidget* parent)
    : QWidget(parent), m_pUpperArea(new QWidget(this)), m_pLowerArea(new QWidget), m_pDialog(pDialog),
      m_nIdent(pDialog->sequence().writeGate().current()), m_strTestValuesPath(pDialog->testValuesPath())
{
    auto* pRow1 = new QHBoxLayout;
    auto* pRow2 = new QHBoxLayout;
    auto* pRow3 = new QHBoxLayout;
    auto add = [this](QHBoxLayout* pRow, const QString& text, auto slot)
    {
        auto* pButton = new QPushButton(text, m_pUpperArea);
        connect(pButton, &QPushButton::clicked, this, running([this, slot] { (this->*slot)(); }));
        pRow->addWidget(pButton);
        return pButton;
    };

    add(pRow1, QStringLiteral("Get Ident"), &CDebugWidget::slotButtonIdent);
    add(pRow1, QStringLiteral("Report Time"), &CDebugWidget::slotButtonRepTime);
    add(pRow1, QStringLiteral("Get Counters"), &CDebugWidget::slotButtonRepCnt);
    add(pRow1, QStringLiteral("Get Part Table"), &CDebugWidget::slotButtonGetPT);
    pRow1->addSpacing(300);
    pRow1->addWidget(new QLabel(QStringLiteral("Dump Address:"), m_pUpperArea));
    m_pDumpAddress = new QLineEdit(m_pUpperArea);
    pRow1->addWidget(m_pDumpAddress);
    add(pRow1, QStringLiteral("Dump Memory"), &CDebugWidget::slotButtonDumpMem);
    pRow1->addSpacing(400);
    addUnitWrite(add(pRow1, QStringLiteral("Calc.Ave.Sensor Values"), &CDebugWidget::slotCalcAveSenVal));

    add(pRow2, QStringLiteral("Report Prim Log"), &CDebugWidget::slotButtonRepPrimLog);
    add(pRow2, QStringLiteral("Erase Log Data"), &CDebugWidget::slotButtonClearLog);
    pRow2->addWidget(new QLabel(QStringLiteral("Secondary Log:"), m_pUpperArea));
    add(pRow2, QStringLiteral("Get Sec Log Cnt"), &CDebugWidget::slotGetSecLogCnt);
    m_pComboSpan = new QComboBox(m_pUpperArea);
    m_pComboSpan->addItems({QStringLiteral("15 min"), QStringLiteral("1 day"), QStringLiteral("30 days")});
    pRow2->addWidget(m_pComboSpan);
    add(pRow2, QStringLiteral("Check Sec Log"), &CDebugWidget::slotCheckSecLog);
    addUnitWrite(add(pRow2, QStringLiteral("Erase Sec Log"), &CDebugWidget::slotEraseSecLog));
    add(pRow2, QStringLiteral("Report Sec Log"), &CDebugWidget::slotRepSecLog);
    // One parent makes the five choices exclude each other.
    m_pReportAll = new QRadioButton(QStringLiteral("Report All"), m_pUpperArea);
    m_pYoungest10 = new QRadioButton(QStringLiteral("10 Youngest"), m_pUpperArea);
    m_pYoungest100 = new QRadioButton(QStringLiteral("100 Youngest"), m_pUpperArea);
    m_pOldest10 = new QRadioButton(QStringLiteral("10 Oldest"), m_pUpperArea);
    m_pOldest100 = new QRadioButton(QStringLiteral("100 Oldest"), m_pUpperArea);
    for (QRadioButton* pRadio : {m_pReportAll, m_pYoungest10, m_pYoungest100, m_pOldest10, m_pOldest100})
        pRow2->addWidget(pRadio);

    auto addDialogStep = [this, pRow3](const QString& text, const char* slot)
    {
        auto* pButton = new QPushButton(text, m_pUpperArea);
        connect(pButton, &QPushButton::clicked, this,
                running([this, slot] { QMetaObject::invokeMethod(m_pDialog, slot); }));
        pRow3->addWidget(pButton);
        return pButton;
    };
    m_WriteSteps << addDialogStep(QStringLiteral("Update Application"), "on_ButtonAppl_clicked");
    m_pWifiModuleStep = addDialogStep(QStringLiteral("Update CC3200"), "on_ButtonCC3200_clicked");
    m_WriteSteps << m_pWifiModuleStep;
    m_WriteSteps << addDialogStep(QStringLiteral("Update Bootloader"), "on_ButtonBootLdr_clicked");
    m_WriteSteps << add(pRow3, QStringLiteral("Swap Boot"), &CDebugWidget::slotButtonSwap);
    add(pRow3, QStringLiteral("Get Wifi Data Debug"), &CDebugWidget::slotButtonWifiDataDebug);
    pRow3->addSpacing(100);
    pRow3->addWidget(new QLabel(QStringLiteral("Test case:"), m_pUpperArea));
    m_pComboTestCase = new QComboBox(m_pUpperArea);
    pRow3->addWidget(m_pComboTestCase);
    m_pCountdown = new QLCDNumber(m_pUpperArea);
    pRow3->addWidget(m_pCountdown);
    add(pRow3, QStringLiteral("(Re)load Test File"), &CDebugWidget::ReloadTestFile);
    m_pAutoTest = new QCheckBox(QStringLiteral("Automatic Test Mode"), m_pUpperArea);
    pRow3->addWidget(m_pAutoTest);
    pRow3->addSpacing(500);

    auto* pUpperLayout = new QVBoxLayout(m_pUpperArea);
    pUpperLayout->addLayout(pRow1);
    pUpperLayout->addLayout(pRow2);
    pUpperLayout->addLayout(pRow3);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pUpperArea);
    pLayout->addWidget(m_pLowerArea);

    connect(&m_TickTimer, &QTimer::timeout, this, running([this] { slotTimerTimeOutAll(); }));
    connect(&m_pDialog->sequence().writeGate(), &CWriteGate::changed, this, &CDebugWidget::showWriteGate);
    showWriteGate();
}

CDebugWidget::CRunningSlot::CRunningSlot(CDebugWidget& panel) : m_Panel(panel)
{
    ++m_Panel.m_nRunning;
}

CDebugWidget::CRunningSlot::~CRunningSlot()
{
    // Deferred: the sender of the slot (a button of the panel) is still delivering its signal.
    if (--m_Panel.m_nRunning == 0 && m_Panel.m_bRetired)
        m_Panel.deleteLater();
}

std::function<void()> CDebugWidget::running(std::function<void()> slot)
{
    return [this, slot]
    {
        const CRunningSlot running(*this);
        slot();
    };
}

void CDebugWidget::retire()
{
    m_bRetired = true;
    m_TickTimer.stop();
    if (m_nRunning == 0)
        deleteLater();
}

void CDebugWidget::addUnitWrite(QPushButton* pButton)
{
    m_UnitWrites << pButton;
    showWriteGate();
}

bool CDebugWidget::writeToUnit(const std::function<bool(CFanBase&)>& request)
{
    bool bRefused = false;
    const bool bSent = m_pDialog->writeFor(m_nIdent, request, &bRefused);
    if (bRefused)
        output(
            QStringLiteral("Nothing sent: the unit on the port is not the one identified for this panel.\n"));
    return bSent;
}

void CDebugWidget::showWriteGate()
{
    const CWriteGate& gate = m_pDialog->sequence().writeGate();
    for (QPushButton* pStep : m_WriteSteps)
        pStep->setEnabled(gate.isOpen() && (pStep != m_pWifiModuleStep || m_bWifiModule));
    for (QPushButton* pWrite : m_UnitWrites)
        pWrite->setEnabled(gate.isIdentified() && gate.current() == m_nIdent);
}

void CDebugWidget::withoutWifiModule()
{
    m_bWifiModule = false;
    m_pWifiModuleStep->setEnabled(false);
}

void CDebugWidget::output(const QString& text, bool bRepaint)
{
    m_pDialog->debugOutput(text, bRepaint);
}

void CDebugWidget::slotButtonSetSensorValues() {}

void CDebugWidget::applyTestCase(int) {}

void CDebugWidget::storeTestResult() {}

void CDebugWidget::comboTestCase_curIndexChanged(int index)
{
    if (index >= 0)
        applyTestCase(m_pComboTestCase->currentIndex());
}

void CDebugWidget::slotTimerTimeOutAll()
{
    const int nValue = m_pCountdown->intValue();
    // A tick during an update step waits for the next one: the link belongs to the step.
    if (nValue == 0 || m_pDialog->isTransferRunning())
        return;
    m_pCountdown->display(nValue - 1);
    if (nValue != 1)
        return;
    storeTestResult();
    const int nNext = m_pComboTestCase->currentIndex() + 1;
    if (m_pAutoTest->isChecked() && nNext < m_pComboTestCase->count())
        m_pComboTestCase->setCurrentIndex(nNext);
}

void CDebugWidget::slotButtonRepTime()
{
    UINT16 nDay = 0, nMillisecond = 0;
    UINT8 nHour = 0, nMinute = 0, nSecond = 0;
    if (!m_pDialog->unit()->getTimer(&nDay, &nHour, &nMinute, &nSecond, &nMillisecond))
        return;
    output(QStringLiteral("\n") + QStringLiteral("Millisecond: \t%1\n").arg(nMillisecond) +
           QStringLiteral("Second:      \t%1\n").arg(nSecond) +
           QStringLiteral("Minute:      \t%1\n").arg(nMinute) +
           QStringLiteral("Hour:        \t%1\n").arg(nHour) +
           QStringLiteral("Day:         \t%1\n").arg(nDay));
}

void CDebugWidget::slotButtonRepCnt()
{
    CFanBase* pUnit = m_pDialog->unit();
    if (!pUnit->getCounters())
        return;
    QString text;
    for (int id = 0; id < CPersCounter_ReadOnly::CNT_COUNT; ++id)
        text += QStringLiteral("Counter %1: %2, %3\n")
                    .arg(id, 3)
                    .arg(pUnit->getCounterValue(id))
                    .arg(pUnit->getCounterText(id));
    output(text);
}

void CDebugWidget::slotButtonGetPT()
{
    CPartitionTable::SPartition table[CPartitionTable::PARTITION_COUNT];
    if (!m_pDialog->unit()->getPartitionTable(table))
    {
        output(QStringLiteral("Get Partition Table failed!\n"), false);
        return;
    }
    QString text =
        QStringLiteral("Partition Table:\n") +
        QStringLiteral("Type, MainVer, SubVer,  Start , Size , CRC16OK, CRC16KO, CRC16_MIROK, CRC16_MIRKO\n");
    for (const CPartitionTable::SPartition& entry : table)
    {
        qDebug() << "m_Start: " << entry.m_Start;
        text += QStringLiteral("%1, %2, %3, %4, %5, ")
                    .arg(entry.m_Type, 4)
                    .arg(entry.m_MainVer, 7)
                    .arg(entry.m_SubVer, 6)
                    .arg(entry.m_Start, 7)
                    .arg(entry.m_Size, 5);
        text += QStringLiteral("%1, %2, %3, %4 \n")
                    .arg(entry.m_CheckFlags & CPartitionTable::CRC16OK, 7)
                    .arg(entry.m_CheckFlags & CPartitionTable::CRC16KO, 7)
                    .arg(entry.m_CheckFlags & CPartitionTable::CRC16_MIROK, 11)
                    .arg(entry.m_CheckFlags & CPartitionTable::CRC16_MIRKO, 11);
    }
    output(text, false);
}

void CDebugWidget::slotCalcAveSenVal()
{
    writeToUnit([](CFanBase& unit) { return unit.calcAveSenVal(); });
}

void CDebugWidget::slotButtonRepPrimLog()
{
    output(m_pDialog->unit()->getPrimaryLog());
}

void CDebugWidget::slotButtonClearLog()
{
    m_pDialog->debugEdit()->clear();
}

void CDebugWidget::slotGetSecLogCnt()
{
    UINT16 sizes[3] = {}, used[3] = {}, oldest[3] = {};
    if (!m_pDialog->unit()->getSecLogCnt(sizes, used, oldest))
    {
        output(QStringLiteral("Comand failed\n"));
        return;
    }
    static const char* const s_Prefixes[3] = {"15 Min : ", "1  Day : ", "30 Days: "};
    QString text;
    for (int i = 0; i < 3; ++i)
        text += QLatin1String(s_Prefixes[i]) +
                QStringLiteral("Log size: %1, Number of logs used : %2, index of oldest log: %3\n")
                    .arg(sizes[i])
                    .arg(used[i])
                    .arg(oldest[i]);
    output(text);
}

int CDebugWidget::checkedSpan() const
{
    return m_pComboSpan->currentIndex();
}

void CDebugWidget::slotCheckSecLog()
{
    quint8 nError = 0;
    if (!m_pDialog->unit()->checkSecLog(CLogging::EMaxTimeSpan(checkedSpan()), nError))
        output(QStringLiteral("Comand failed\n"));
    else if (nError == 0)
        output(QStringLiteral("The secondary log is OK!\n"));
    else
        output(QStringLiteral("The secondary log has error %1!\n").arg(nError));
}

void CDebugWidget::slotEraseSecLog()
{
    const auto answer = QMessageBox::warning(
        this, QStringLiteral("Confirm Erasing Log"),
        QStringLiteral("The secondary log \"%1\" will be deleted").arg(m_pComboSpan->currentText()),
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    // Only the unit the question was asked about: another may have come while it was open.
    if (answer == QMessageBox::Ok)
        writeToUnit([this](CFanBase& unit)
                    { return unit.eraseSecLog(CLogging::EMaxTimeSpan(checkedSpan())); });
}

void CDebugWidget::slotRepSecLog()
{
    output(m_pDialog->unit()->getSecondaryLog(
        CLogging::EMaxTimeSpan(checkedSpan()), m_pYoungest10->isChecked(), m_pYoungest100->isChecked(),
        m_pOldest10->isChecked(), m_pOldest100->isChecked(), m_pComboSpan->currentText()));
}

void CDebugWidget::slotButtonSwap()
{
    m_pDialog->sequence().swapBootloaders();
}

void CDebugWidget::slotButtonIdent()
{
    m_pDialog->identifyDevice();
}

void CDebugWidget::slotButtonDumpMem() {}

void CDebugWidget::slotButtonWifiDataDebug()
{
    auto* pFan = qobject_cast<CFan*>(m_pDialog->unit());
    qint8 nRssi = 0;
    quint8 nR78 = 0, nCC3200 = 0;
    if (!pFan || !pFan->getWifiDataDebug(nRssi, nR78, nCC3200))
    {
        output(QString());
        return;
    }
    output(QStringLiteral("\n") + QStringLiteral("Beta R78: \t%1\n").arg(nR78) +
           QStringLiteral("Beta CC3200:      \t%1\n").arg(nCC3200));
}

void CDebugWidget::reloadTestFile(const QStringList& requiredColumns)
{
    if (!m_pTestModel)
        m_pTestModel = new CVokDelimTextModel(this);
    QFile file(m_strTestValuesPath);
    if (!file.open(QIODevice::ReadOnly))
    {
        showFileMessage(QStringLiteral("Unable to open file '%1'").arg(m_strTestValuesPath),
                        file.errorString());
        return;
    }
    if (!m_pTestModel->load(&file, true, DELIMITER, QUOTE, CODEC))
    {
        showFileMessage(QStringLiteral("Unable to read CSV file '%1'").arg(m_strTestValuesPath));
        return;
    }
    checkTestColumns(requiredColumns);
    fillTestCaseCombo(m_pComboTestCase);
}

void CDebugWidget::checkTestColumns(const QStringList& columns)
{
    for (const QString& column : columns)
        if (testColumn(column) < 0)
        {
            showFileMessage(QStringLiteral("Missing column in test file ('%1').").arg(column));
            return;
        }
}

void CDebugWidget::fillTestCaseCombo(QComboBox* pCombo)
{
    const QString strCurrent = pCombo->currentText();
    disconnect(m_TestCaseChanged);
    pCombo->clear();
    const int nColumn = testColumn(QLatin1String(TEST_CASE_COLUMN));
    for (int row = 0; row < m_pTestModel->rowCount(); ++row)
        pCombo->addItem(nColumn < 0 ? QString() : m_pTestModel->cellData(row, nColumn).toString(), row);
    const int nIndex = pCombo->findText(strCurrent, Qt::MatchExactly | Qt::MatchCaseSensitive);
    pCombo->setCurrentIndex(nIndex);
    if (nIndex >= 0)
        comboTestCase_curIndexChanged(nIndex);
    m_TestCaseChanged = connect(pCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                                [this](int index)
                                {
                                    const CRunningSlot running(*this);
                                    comboTestCase_curIndexChanged(index);
                                });
}

int CDebugWidget::currentTestRow() const
{
    if (!m_pTestModel || m_pComboTestCase->currentIndex() < 0)
        return -1;
    bool bOk = false;
    const int nRow = m_pComboTestCase->currentData().toInt(&bOk);
    return bOk && nRow >= 0 && nRow < m_pTestModel->rowCount() ? nRow : -1;
}

void CDebugWidget::saveTestFile()
{
    QFile file(m_strTestValuesPath);
    // Truncate: a shorter new content must leave nothing of the old behind.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    {
        showFileMessage(QStringLiteral("Unable to open file '%1'").arg(m_strTestValuesPath),
                        file.errorString());
        return;
    }
    if (!m_pTestModel->save(&file, true, DELIMITER, QUOTE, CODEC))
        showFileMessage(QStringLiteral("Unable to write CSV file '%1'").arg(m_strTestValuesPath));
}

int CDebugWidget::testColumn(const QString& name) const
{
    return m_pTestModel ? m_pTestModel->findHeaderColumn(name, Qt::CaseInsensitive) : -1;
}

bool CDebugWidget::setNumberEdits(int row, const QList<QPair<QString, QLineEdit*>>& cells)
{
    QList<QPair<QLineEdit*, QString>> texts;
    for (const auto& cell : cells)
    {
        const int nColumn = testColumn(cell.first);
        if (nColumn < 0)
            continue;
        const QString strCell = m_pTestModel->cellData(row, nColumn).toString();
        double dValue = 0;
        if (!parseNumber(strCell, dValue))
        {
            showFileMessage(QStringLiteral("Row %1, column '%2': '%3' is not a number.")
                                .arg(row + 1)
                                .arg(cell.first, strCell),
                            QStringLiteral("The test case was not applied."));
            return false;
        }
        texts.append({cell.second, strCell.trimmed().replace(QLatin1Char(','), QLatin1Char('.'))});
    }
    for (const auto& text : texts)
        text.first->setText(text.second);
    return true;
}

void CDebugWidget::selectComboFromColumn(int row, const QString& column, QComboBox* pCombo)
{
    const int nColumn = testColumn(column);
    if (nColumn < 0)
        return;
    const QString strCell = m_pTestModel->cellData(row, nColumn).toString();
    for (int i = 0; i < pCombo->count(); ++i)
        if (pCombo->itemText(i).startsWith(strCell, Qt::CaseInsensitive))
        {
            pCombo->setCurrentIndex(i);
            return;
        }
}

void CDebugWidget::startCountdown(int row)
{
    m_TickTimer.start(TICK_MS);
    const int nColumn = testColumn(QLatin1String(WAIT_TIME_COLUMN));
    if (nColumn >= 0)
        m_pCountdown->display(m_pTestModel->cellData(row, nColumn).toString());
}

void CDebugWidget::setResultCell(int row, const QString& column, const QString& text)
{
    const int nColumn = testColumn(column);
    if (nColumn >= 0)
        m_pTestModel->setCellData(row, nColumn, text);
}

bool CDebugWidget::parseNumber(const QString& text, double& value)
{
    QString strNumber = text.trimmed();
    strNumber.replace(QLatin1Char(','), QLatin1Char('.'));
    if (strNumber.isEmpty())
    {
        value = 0;
        return true;
    }
    bool bOk = false;
    const double dValue = QLocale::c().toDouble(strNumber, &bOk);
    if (bOk)
        value = dValue;
    return bOk;
}

int CDebugWidget::wholeNumber(const QString& text)
{
    double dValue = 0;
    return parseNumber(text, dValue) ? int(std::lround(dValue)) : 0;
}

quint8 CDebugWidget::comfortLevelCode(const QString& text)
{
    const quint8 nLevel = quint8(wholeNumber(text));
    if (nLevel == 0)
        return 0;
    return nLevel <= 5 ? quint8(nLevel - 1) : 4;
}

qint16 CDebugWidget::eighths(const QString& text)
{
    double dValue = 0;
    return parseNumber(text, dValue) ? qint16(std::lround(dValue * 8)) : 0;
}

QString CDebugWidget::absoluteHumidityText(const QString& temperature, const QString& relativeHumidity)
{
    const qint16 nTemp = eighths(temperature);
    double dRelative = 0;
    parseNumber(relativeHumidity, dRelative);
    dRelative /= 100;
    const double dPerKg = InterpolateHumidityTable(nTemp, 1) / 10.0 * dRelative;
    const double dPerM3 = InterpolateHumidityTable(nTemp, 0) / 10.0 * dRelative;
    return QStringLiteral("g/Kg: %1, g/m³: %2").arg(dPerKg, 4, 'f', 2).arg(dPerM3, 4, 'f', 2);
}
