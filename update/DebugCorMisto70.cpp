#include "DebugCorMisto70.h"

#include "Fan_70_PC.h"
#include "VokDelimTextModel.h"
#include "maindialog.h"

#include <QComboBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDebugCorMisto70::CDebugCorMisto70(CMainDialog* pDialog, QWidget* parent) : CDebugWidget(pDialog, parent)
{
    withoutWifiModule(); // a tolVane plus has no Wi-Fi module
    QWidget* pArea = lowerArea();
    m_pButtonSet = new QPushButton(QStringLiteral("Set Values 70"), pArea);
    m_pTExtract = addEdit(QStringLiteral("30"));
    m_pTSupply = addEdit(QStringLiteral("20"));
    m_pRelHumExtract = addEdit(QStringLiteral("50"));
    m_pRelHumSupply = addEdit(QStringLiteral("30"));
    m_pCO2Extract = addEdit(QStringLiteral("900"));
    m_pCO2Supply = addEdit(QStringLiteral("500"));
    m_pComfortLevel = addEdit(QStringLiteral("3"));
    m_pAbsHumExtract = addEdit(QString());
    m_pAbsHumSupply = addEdit(QString());
    m_pAveHumExtract = addEdit(QStringLiteral("40"));
    m_pAveTempOutdoor = addEdit(QStringLiteral("22"));
    m_pComboRoomArea = new QComboBox(pArea);
    m_pComboRoomArea->addItems({"20", "25", "35", "45", "60", "75"});
    m_pComboSumCool = new QComboBox(pArea);
    m_pComboSumCool->addItems({"19", "22", "25", "0"});

    auto label = [pArea](const char* text) { return new QLabel(QLatin1String(text), pArea); };
    auto* pRow1 = new QHBoxLayout;
    pRow1->addWidget(label("TExtract:"));
    pRow1->addWidget(m_pTExtract);
    pRow1->addWidget(label("TSupply:"));
    pRow1->addWidget(m_pTSupply);
    pRow1->addWidget(label("CO2 Ext:"));
    pRow1->addWidget(m_pCO2Extract);
    pRow1->addWidget(label("CO2 Sup:"));
    pRow1->addWidget(m_pCO2Supply);
    pRow1->addSpacing(300);
    auto* pRow2 = new QHBoxLayout;
    pRow2->addWidget(label("Rel.Hum.Ext:"));
    pRow2->addWidget(m_pRelHumExtract);
    pRow2->addWidget(label("Rel.Hum.Sup:"));
    pRow2->addWidget(m_pRelHumSupply);
    pRow2->addWidget(label("Abs.Hum.Ext:"));
    pRow2->addWidget(m_pAbsHumExtract);
    pRow2->addWidget(label("Abs.Hum.Sup:"));
    pRow2->addWidget(m_pAbsHumSupply);
    pRow2->addSpacing(300);
    auto* pRow3 = new QHBoxLayout;
    pRow3->addWidget(label("Aver.Hum.Ext:"));
    pRow3->addWidget(m_pAveHumExtract);
    pRow3->addWidget(label("Aver.Temp.Sup:"));
    pRow3->addWidget(m_pAveTempOutdoor);
    pRow3->addSpacing(1500);
    auto* pRow4 = new QHBoxLayout;
    pRow4->addWidget(m_pButtonSet);
    pRow4->addSpacing(200);
    pRow4->addWidget(label("DIP Switch:"));
    pRow4->addWidget(m_pComboRoomArea);
    pRow4->addWidget(m_pComboSumCool);
    pRow4->addSpacing(200);
    pRow4->addWidget(label("Com.Level:"));
    pRow4->addWidget(m_pComfortLevel);
    pRow4->addSpacing(1000);
    auto* pLayout = new QVBoxLayout(pArea);
    for (QHBoxLayout* pRow : {pRow1, pRow2, pRow3, pRow4})
        pLayout->addLayout(pRow);

    connect(m_pButtonSet, &QPushButton::clicked, this, running([this] { slotButtonSetSensorValues(); }));
    addUnitWrite(m_pButtonSet);
    for (QLineEdit* pEdit : {m_pTSupply, m_pRelHumExtract, m_pTExtract, m_pRelHumSupply})
        connect(pEdit, &QLineEdit::textChanged, this, &CDebugCorMisto70::slotCalcHum);
}

QLineEdit* CDebugCorMisto70::addEdit(const QString& text)
{
    return new QLineEdit(text, lowerArea());
}

void CDebugCorMisto70::slotCalcHum()
{
    m_pAbsHumSupply->setText(absoluteHumidityText(m_pTSupply->text(), m_pRelHumSupply->text()));
    m_pAbsHumExtract->setText(absoluteHumidityText(m_pTExtract->text(), m_pRelHumExtract->text()));
}

void CDebugCorMisto70::slotButtonSetSensorValues()
{
    SHLP_SetSimulationValues_70 values;
    values.m_Values8[0] = comfortLevelCode(m_pComfortLevel->text());
    const int nDip = 8 * m_pComboRoomArea->currentIndex() + 2 * m_pComboSumCool->currentIndex();
    qDebug() << "DIPSwitch " << nDip;
    values.m_Values8[1] = quint8(nDip);
    values.m_Values8[2] = quint8(wholeNumber(m_pAveHumExtract->text()));
    values.m_Values8[3] = quint8(wholeNumber(m_pAveTempOutdoor->text()));
    qDebug() << "TSup: " << m_pTSupply->text().toDouble() << ", TExt: " << m_pTExtract->text().toDouble();
    // From byte 6 on, two bytes each.
    values.m_Values16[0] = UINT16(eighths(m_pTSupply->text()));
    values.m_Values16[1] = UINT16(eighths(m_pTExtract->text()));
    values.m_Values16[2] = UINT16(wholeNumber(m_pRelHumSupply->text()));
    values.m_Values16[3] = UINT16(wholeNumber(m_pRelHumExtract->text()));
    values.m_Values16[4] = UINT16(wholeNumber(m_pCO2Supply->text()));
    values.m_Values16[5] = UINT16(wholeNumber(m_pCO2Extract->text()));
    qDebug() << SHLP_SetSimulationValues_70::SIZE;
    writeToUnit(
        [&values](CFanBase& unit)
        {
            auto* pUnit = qobject_cast<CFan_70_PC*>(&unit);
            return pUnit && pUnit->setSimulationValues(values);
        });
}

void CDebugCorMisto70::ReloadTestFile()
{
    reloadTestFile({"Test case", "Description", "Com level", "Room area", "Sum Cool Temp", "T-Extract",
                    "T-Supply", "Rel. hum. extract", "Rel. hum. sup", "CO2 Ext", "CO2 Sup", "Ave RH Ext"});
}

void CDebugCorMisto70::applyTestCase(int row)
{
    if (!testModel() || row < 0 || row >= testModel()->rowCount())
        return;
    if (!setNumberEdits(row, {{QStringLiteral("Com level"), m_pComfortLevel},
                              {QStringLiteral("T-Extract"), m_pTExtract},
                              {QStringLiteral("T-Supply"), m_pTSupply},
                              {QStringLiteral("Rel. hum. sup"), m_pRelHumSupply},
                              {QStringLiteral("Rel. hum. extract"), m_pRelHumExtract},
                              {QStringLiteral("CO2 Ext"), m_pCO2Extract},
                              {QStringLiteral("CO2 Sup"), m_pCO2Supply},
                              {QStringLiteral("Ave RH Ext"), m_pAveHumExtract},
                              {QStringLiteral("Ave TOut"), m_pAveTempOutdoor}}))
        return;
    selectComboFromColumn(row, QStringLiteral("Room area"), m_pComboRoomArea);
    selectComboFromColumn(row, QStringLiteral("Sum Cool Temp"), m_pComboSumCool);
    startCountdown(row);
    slotButtonSetSensorValues();
}

void CDebugCorMisto70::storeTestResult()
{
    auto* pUnit = qobject_cast<CFan_70_PC*>(dialog()->unit());
    SPrimLogEntry_70 entry;
    if (!pUnit || !pUnit->getCurrentState(entry) || !testModel())
        return;
    const QString strAirSpeed = QStringLiteral("%1").arg(qint8(entry.m_Bytes[23]), 7);
    const int nMode = entry.m_Bytes[17] >> 4;
    const int row = currentTestRow();
    if (row < 0)
        return;
    setResultCell(row, QStringLiteral("R Auto Ctrl"), QLatin1String(pUnit->getModeName(nMode)));
    setResultCell(row, QStringLiteral("R Air Speed"), strAirSpeed);
    saveTestFile();
}
