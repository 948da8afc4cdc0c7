#include "DebugTolVane100.h"

#include "Fan.h"
#include "LogText.h"
#include "VokDelimTextModel.h"
#include "maindialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{
// Position buttons with the position codes they send.
struct SPosition
{
    const char* label;
    int code;
};
constexpr SPosition POSITIONS[] = {{"Open", 31}, {"Tick+", 24}, {"Tick-", 1}, {"Close", 25}, {"75", 30},
                                   {"60", 29},   {"45", 28},    {"30", 27},   {"15", 26}};
constexpr int FIRST_ROW_POSITIONS = 4;
constexpr int VENT_COUNT = 4;
const char* const MOVE_LABELS[VENT_COUNT] = {"Move Extract", "Move 2nd", "Move Supply", "Move Bypass"};
const char* const VENT_PREFIXES[VENT_COUNT] = {
    "Extract Vent: ", "Bath    Vent: ", "Supply  Vent: ", "Bypass  Vent: "};
// Air-speed codes of the state record.
constexpr int AIR_SPEED_FROM_LEVEL = 20;
constexpr int AIR_SPEED_20_60 = 1;
} // namespace

CDebugTolVane100::CDebugTolVane100(CMainDialog* pDialog, quint32 nSerialNr, QWidget* parent)
    : CDebugWidget(pDialog, parent)
{
    QWidget* pArea = lowerArea();
    m_pButtonVentInfo = new QPushButton(QStringLiteral("Get Vent Info"), pArea);
    QPushButton* moveButtons[VENT_COUNT];
    for (int vent = 0; vent < VENT_COUNT; ++vent)
        moveButtons[vent] = new QPushButton(QLatin1String(MOVE_LABELS[vent]), pArea);
    m_pButtonSet = new QPushButton(QStringLiteral("Set Values 100"), pArea);
    m_pTOutdoor = addEdit(QStringLiteral("10"));
    m_pTSupply = addEdit(QStringLiteral("20"));
    m_pTExhaust = addEdit(QStringLiteral("12"));
    m_pTExtract = addEdit(QStringLiteral("22"));
    m_pRelHumExtract = addEdit(QStringLiteral("30"));
    m_pRelHumOutdoor = addEdit(QStringLiteral("60"));
    m_pAbsHumExtract = addEdit(QString());
    m_pAbsHumOutdoor = addEdit(QString());
    m_pCO2 = addEdit(QStringLiteral("600"));
    m_pComfortLevel = addEdit(QStringLiteral("3"));
    m_pAveHumExtract = addEdit(QStringLiteral("50"));
    m_pAveTempOutdoor = addEdit(QStringLiteral("15"));
    m_pDipOption = new QCheckBox(nSerialNr > LAST_POWER_LINE_SERIAL ? QStringLiteral("First Room Off")
                                                                    : QStringLiteral("Power Line"),
                                 pArea);
    m_pHumReduction = new QCheckBox(QStringLiteral("Hum.Reduction"), pArea);
    m_pComboSecondRoomFlow = new QComboBox(pArea);
    m_pComboSecondRoomFlow->addItems({"0m³/h", "30m³/h", "60m³/h", "90m³/h"});
    m_pComboRoomArea = new QComboBox(pArea);
    m_pComboRoomArea->addItems({"20", "25", "35", "45", "60", "75"});
    m_pComboSumCool = new QComboBox(pArea);
    m_pComboSumCool->addItems({"0", "18", "21", "24"});
    m_pPositionGroup = new QButtonGroup(this);
    QList<QRadioButton*> positionButtons;
    for (const SPosition& position : POSITIONS)
    {
        auto* pButton = new QRadioButton(QLatin1String(position.label), pArea);
        m_pPositionGroup->addButton(pButton, position.code);
        positionButtons.append(pButton);
    }

    auto label = [pArea](const char* text) { return new QLabel(QLatin1String(text), pArea); };
    auto* pRow1 = new QHBoxLayout;
    pRow1->addWidget(label("TOutdoor:"));
    pRow1->addWidget(m_pTOutdoor);
    pRow1->addWidget(label("TExtract:"));
    pRow1->addWidget(m_pTExtract);
    pRow1->addWidget(label("TExhaust:"));
    pRow1->addWidget(m_pTExhaust);
    pRow1->addWidget(label("TSupply:"));
    pRow1->addWidget(m_pTSupply);
    auto* pRow2 = new QHBoxLayout;
    pRow2->addWidget(label("Rel.Hum.Out:"));
    pRow2->addWidget(m_pRelHumOutdoor);
    pRow2->addWidget(label("Rel.Hum.Ext:"));
    pRow2->addWidget(m_pRelHumExtract);
    pRow2->addWidget(label("CO2:"));
    pRow2->addWidget(m_pCO2);
    pRow2->addSpacing(500);
    for (int i = 0; i < positionButtons.size(); ++i)
        (i < FIRST_ROW_POSITIONS ? pRow1 : pRow2)->addWidget(positionButtons[i]);
    auto* pRow3 = new QHBoxLayout;
    pRow3->addWidget(label("Abs.Hum.Out:"));
    pRow3->addWidget(m_pAbsHumOutdoor);
    pRow3->addWidget(label("Abs.Hum.Ext:"));
    pRow3->addWidget(m_pAbsHumExtract);
    pRow3->addWidget(label("Aver.HExt:"));
    pRow3->addWidget(m_pAveHumExtract);
    pRow3->addWidget(label("Aver.TOut:"));
    pRow3->addWidget(m_pAveTempOutdoor);
    for (QPushButton* pButton : moveButtons)
        pRow3->addWidget(pButton);
    auto* pRow4 = new QHBoxLayout;
    pRow4->addWidget(m_pButtonSet);
    pRow4->addSpacing(100);
    pRow4->addWidget(label("DIP Switch:"));
    pRow4->addWidget(m_pComboRoomArea);
    pRow4->addWidget(m_pComboSumCool);
    pRow4->addWidget(m_pComboSecondRoomFlow);
    pRow4->addWidget(m_pDipOption);
    pRow4->addSpacing(100);
    pRow4->addWidget(label("Operation Mode:"));
    pRow4->addWidget(m_pHumReduction);
    pRow4->addWidget(label("Com.Level:"));
    pRow4->addWidget(m_pComfortLevel);
    pRow4->addWidget(m_pButtonVentInfo);
    auto* pLayout = new QVBoxLayout(pArea);
    for (QHBoxLayout* pRow : {pRow1, pRow2, pRow3, pRow4})
        pLayout->addLayout(pRow);

    connect(m_pButtonSet, &QPushButton::clicked, this, running([this] { slotButtonSetValues(); }));
    addUnitWrite(m_pButtonSet);
    for (int vent = 0; vent < VENT_COUNT; ++vent)
    {
        connect(moveButtons[vent], &QPushButton::clicked, this,
                running([this, vent] { onButonMoveVent_clicked(vent); }));
        addUnitWrite(moveButtons[vent]);
    }
    connect(m_pButtonVentInfo, &QPushButton::clicked, this,
            running([this] { on_ButtonGetVentInfo_clicked(); }));
    for (QLineEdit* pEdit : {m_pRelHumExtract, m_pRelHumOutdoor, m_pTExtract, m_pTOutdoor})
        connect(pEdit, &QLineEdit::textChanged, this, &CDebugTolVane100::slotCalcHum);
    slotCalcHum();
}

QLineEdit* CDebugTolVane100::addEdit(const QString& text)
{
    return new QLineEdit(text, lowerArea());
}

void CDebugTolVane100::slotCalcHum()
{
    m_pAbsHumOutdoor->setText(absoluteHumidityText(m_pTOutdoor->text(), m_pRelHumOutdoor->text()));
    m_pAbsHumExtract->setText(absoluteHumidityText(m_pTExtract->text(), m_pRelHumExtract->text()));
}

void CDebugTolVane100::slotButtonSetValues()
{
    SHLP_SetSimulationValues values;
    values.m_Values8[0] = comfortLevelCode(m_pComfortLevel->text());
    values.m_Values8[2] = m_pHumReduction->isChecked() ? 1 : 0;
    const int nDip = m_pComboSecondRoomFlow->currentIndex() + 4 * m_pComboSumCool->currentIndex() +
                     8 * (m_pDipOption->checkState() != Qt::Unchecked ? 1 : 0) +
                     16 * m_pComboRoomArea->currentIndex();
    qDebug() << "DIPSwitch " << nDip;
    values.m_Values8[1] = quint8(nDip);
    qDebug() << "TOut: " << m_pTOutdoor->text().toDouble() << ", TExh: " << m_pTExhaust->text().toDouble();
    values.m_Values8[3] = quint8(wholeNumber(m_pAveHumExtract->text()));
    values.m_Values8[4] = quint8(wholeNumber(m_pAveTempOutdoor->text()));
    // From byte 6 on, two bytes each.
    values.m_Values16[0] = UINT16(eighths(m_pTSupply->text()));
    values.m_Values16[1] = UINT16(eighths(m_pTOutdoor->text()));
    values.m_Values16[2] = UINT16(wholeNumber(m_pRelHumOutdoor->text()));
    values.m_Values16[3] = UINT16(eighths(m_pTExhaust->text()));
    values.m_Values16[4] = UINT16(eighths(m_pTExtract->text()));
    values.m_Values16[5] = UINT16(wholeNumber(m_pRelHumExtract->text()));
    values.m_Values16[6] = UINT16(wholeNumber(m_pCO2->text()));
    qDebug() << SHLP_SetSimulationValues::SIZE;
    writeToUnit(
        [&values](CFanBase& unit)
        {
            auto* pFan = qobject_cast<CFan*>(&unit);
            return pFan && pFan->setSimulationValues(values);
        });
}

void CDebugTolVane100::onButonMoveVent_clicked(int vent)
{
    const int nPosition = m_pPositionGroup->checkedId();
    if (nPosition < 0 || vent > 3)
        return;
    SHLP_MoveVent move;
    move.m_Vent = UINT8(vent);
    move.m_Position = UINT8(nPosition);
    writeToUnit(
        [&move](CFanBase& unit)
        {
            auto* pFan = qobject_cast<CFan*>(&unit);
            return pFan && pFan->moveVent(move);
        });
}

void CDebugTolVane100::on_ButtonGetVentInfo_clicked()
{
    auto* pFan = qobject_cast<CFan*>(dialog()->unit());
    CVents::SVentInfo info[CVents::VENT_COUNT];
    if (!pFan || !pFan->getVentInfo(info))
        return;
    QString text;
    for (int i = 0; i < CVents::VENT_COUNT; ++i)
    {
        const CVents::SVentInfo& vent = info[i];
        text += QLatin1String(VENT_PREFIXES[i]) +
                QStringLiteral(
                    "RunTimeOpen: %1, RunTimeClose %2, NoStops: %3, SpeedSumOpen: %4, SpeedSumClose: %5, "
                    "ShakeLoose Cycles: %6MaxIMean: %7\n")
                    .arg(vent.RunTimeOpen() * 0.25, 7, 'f', 3)
                    .arg(vent.RunTimeClose() * 0.25, 7, 'f', 3)
                    .arg(vent.NoStops(), 3)
                    .arg(vent.SpeedSumOpen(), 3)
                    .arg(vent.SpeedSumClose(), 3)
                    .arg(vent.ShakeLoose(), 3)
                    .arg(vent.MaxIMean(), 3);
    }
    output(text);
}

void CDebugTolVane100::ReloadTestFile()
{
    reloadTestFile({"Test case", "Description", "Hum Red", "Com level", "Room area", "2nd room flow",
                    "Sum Cool Temp", "T-Outdoor", "T-Extract", "T-Exhaust", "T-Supply", "Rel. hum. out",
                    "Rel. hum. extract", "CO2", "Ave RH Ext"});
}

void CDebugTolVane100::applyTestCase(int row)
{
    if (!testModel() || row < 0 || row >= testModel()->rowCount())
        return;
    if (!setNumberEdits(row, {{QStringLiteral("Com level"), m_pComfortLevel},
                              {QStringLiteral("T-Outdoor"), m_pTOutdoor},
                              {QStringLiteral("T-Extract"), m_pTExtract},
                              {QStringLiteral("T-Exhaust"), m_pTExhaust},
                              {QStringLiteral("T-Supply"), m_pTSupply},
                              {QStringLiteral("Rel. hum. out"), m_pRelHumOutdoor},
                              {QStringLiteral("Rel. hum. extract"), m_pRelHumExtract},
                              {QStringLiteral("CO2"), m_pCO2},
                              {QStringLiteral("Ave RH Ext"), m_pAveHumExtract},
                              {QStringLiteral("Ave TOut"), m_pAveTempOutdoor}}))
        return;
    const int nHumRed = testColumn(QStringLiteral("Hum Red"));
    if (nHumRed >= 0)
        m_pHumReduction->setChecked(testModel()->cellData(row, nHumRed).toString().toInt() != 0);
    selectComboFromColumn(row, QStringLiteral("Room area"), m_pComboRoomArea);
    selectComboFromColumn(row, QStringLiteral("2nd room flow"), m_pComboSecondRoomFlow);
    selectComboFromColumn(row, QStringLiteral("Sum Cool Temp"), m_pComboSumCool);
    startCountdown(row);
    slotButtonSetValues();
}

void CDebugTolVane100::storeTestResult()
{
    auto* pFan = qobject_cast<CFan*>(dialog()->unit());
    SPrimLogEntry entry;
    if (!pFan || !pFan->getCurrentState(entry) || !testModel())
        return;
    const quint8* b = entry.m_Bytes;
    const int nSpeed = b[15] >> 3;
    QString strAirSpeed;
    if (nSpeed == AIR_SPEED_FROM_LEVEL)
        strAirSpeed = QStringLiteral("%1").arg((b[17] >> 4) * 10, 7);
    else if (nSpeed == AIR_SPEED_20_60)
        strAirSpeed = QStringLiteral("  20/60");
    else
        strAirSpeed = QStringLiteral("%1").arg(nSpeed, 7);
    const int row = currentTestRow();
    if (row < 0)
        return;
    setResultCell(row, QStringLiteral("R Auto Ctrl"), QLatin1String(pFan->getModeName(b[15] & 0x07)));
    setResultCell(row, QStringLiteral("R Air Speed"), strAirSpeed);
    setResultCell(row, QStringLiteral("R Defrost"), ventSelectionText(b[21] & 0x03));
    setResultCell(row, QStringLiteral("R Vent extract"), QLatin1String(ventPositionName(b[5] >> 3)));
    setResultCell(row, QStringLiteral("R Vent bath"), QLatin1String(ventPositionName(b[13] & 0x1F)));
    setResultCell(row, QStringLiteral("R Vent supply"), QLatin1String(ventPositionName(b[14] & 0x1F)));
    setResultCell(row, QStringLiteral("R Vent bypass"), QLatin1String(ventPositionName(b[7] >> 3)));
    saveTestFile();
}
