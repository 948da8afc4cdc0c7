#include "OverviewScene.h"

#include "FanValues.h"
#include "PollingTypes.h"
#include "TrafficLightWidget.h"

#include <QLabel>

namespace
{
using namespace OverviewLabels;

const Def LABELS[] = {
    {170, 130, 125, 50, K_TITLE, LIT, QT_TRANSLATE_NOOP("COverviewScene", "Outdoor")},
    {115, 180, 100, 50, K_OUTDOOR, VALUE, nullptr},
    {225, 180, 125, 50, K_TEXT, UNIT, "OutdoorTemp"},
    {280, 180, 125, 50, K_ABBR, ABBR, "OutdoorTemp"},
    {115, 240, 100, 50, K_OUTDOOR, VALUE, nullptr},
    {225, 240, 125, 50, K_TEXT, UNIT, "OutdoorHum"},
    {280, 240, 125, 50, K_ABBR, ABBR, "OutdoorHum"},
    {115, 300, 100, 50, K_OUTDOOR, VALUE, nullptr},
    {225, 300, 125, 50, K_TEXT, UNIT, "OutdoorHumAbs"},
    {170, 760, 125, 50, K_TITLE, LIT, QT_TRANSLATE_NOOP("COverviewScene", "Exhaust")},
    {115, 810, 100, 50, K_EXHAUST, VALUE, nullptr},
    {225, 810, 120, 50, K_TEXT, UNIT, "ExhaustTemp"},
    {280, 810, 125, 50, K_ABBR, ABBR, "ExhaustTemp"},
    {715, 0, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene", "2nd room")},
    {810, 375, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene", "Heat")},
    {810, 415, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene", "recovery")},
    {810, 465, 100, 50, K_RECOVERY, VALUE, nullptr},
    {920, 465, 125, 50, K_TEXT, UNIT, "RecoveryWatt"},
    {810, 525, 100, 50, K_RECOVERY, VALUE, nullptr},
    {920, 525, 125, 50, K_TEXT, UNIT, "RecoveryPercent"},
    {715, 940, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene", "2nd room")},
    {1245, 70, 125, 50, K_TITLE, LIT, QT_TRANSLATE_NOOP("COverviewScene", "Extract")},
    {1050, 120, 100, 50, K_EXTRACT, VALUE, nullptr},
    {1160, 120, 125, 50, K_TEXT, UNIT, "ExtractTemp"},
    {1245, 120, 125, 50, K_ABBR, ABBR, "ExtractTemp"},
    {1050, 180, 100, 50, K_EXTRACT, VALUE, nullptr},
    {1160, 180, 125, 50, K_TEXT, UNIT, "ExtractHum"},
    {1245, 180, 125, 50, K_ABBR, ABBR, "ExtractHum"},
    {1050, 240, 100, 50, K_EXTRACT, VALUE, nullptr},
    {1160, 240, 125, 50, K_TEXT, UNIT, "ExtractHumAbs"},
    {1050, 300, 100, 50, K_EXTRACT, VALUE, nullptr},
    {1160, 300, 125, 50, K_TEXT, UNIT, "CO2"},
    {1245, 300, 125, 50, K_ABBR, ABBR, "CO2"},
    {1050, 360, 100, 50, K_EXTRACT, VALUE, nullptr},
    {1160, 360, 125, 50, K_TEXT, UNIT, "ExtractAirFlow"},
    {1245, 360, 125, 50, K_ABBR, ABBR, "ExtractAirFlow"},
    {1540, 120, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene", "Filter")},
    {1540, 455, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene", "WiFi")},
    {1540, 180, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene", "Humidity")},
    {1540, 300, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene", "CO2")},
    {1245, 750, 125, 50, K_TITLE, LIT, QT_TRANSLATE_NOOP("COverviewScene", "Supply")},
    {1050, 800, 100, 50, K_SUPPLY, VALUE, nullptr},
    {1160, 800, 125, 50, K_TEXT, UNIT, "SupplyTempVirt"},
    {1245, 800, 125, 50, K_ABBR, ABBR, "SupplyTempVirt"},
    {1050, 860, 100, 50, K_SUPPLY, VALUE, nullptr},
    {1160, 860, 125, 50, K_TEXT, UNIT, "SupplyAirFlow"},
    {1245, 860, 125, 50, K_ABBR, ABBR, "SupplyAirFlow"},
    {1540, 800, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene", "Filter")},
};
static_assert(sizeof(LABELS) / sizeof(LABELS[0]) == COverviewScene::LABEL_COUNT, "one definition per label");

// Fan speeds (1/min) with a clean and with a full filter, by air-flow level; ended by zeros.
const COverviewScene::SFilterRow EXTRACT_FILTER[] = {{20, 920, 1560},  {30, 1040, 1680},  {40, 1260, 1900},
                                                     {50, 1480, 2200}, {60, 1700, 2420},  {70, 1910, 2710},
                                                     {85, 2210, 2930}, {100, 2480, 3200}, {0, 0, 0}};
const COverviewScene::SFilterRow SUPPLY_FILTER[] = {{20, 870, 1510},  {30, 1000, 1640},  {40, 1230, 1870},
                                                    {50, 1460, 2100}, {60, 1690, 2410},  {70, 1910, 2630},
                                                    {85, 2230, 2950}, {100, 2540, 3260}, {0, 0, 0}};

// Filter lamps follow units from this serial number on, and units not identified yet (-1).
constexpr int FIRST_SERIAL_WITH_FILTER_TABLES = 4000;
// Polls during which a filter lamp blinks after a change.
constexpr int BLINKING_POLLS = 7;
} // namespace

COverviewScene::COverviewScene(QObject* parent) : COverviewSceneBase(parent)
{
    placePicture(QStringLiteral(":/Pixmaps/tolVane100.png"), 900);
    m_Labels = buildLabels(LABELS, LABEL_COUNT, "COverviewScene");
    m_pHumidityLamp = addLamp(180, QStringLiteral("lampHumidity"));
    m_pCO2Lamp = addLamp(300, QStringLiteral("lampCO2"));
    m_pExtractFilterLamp = addLamp(120, QStringLiteral("lampExtractFilter"));
    m_pSupplyFilterLamp = addLamp(800, QStringLiteral("lampSupplyFilter"));
    m_pWiFiLamp = addLamp(455, QStringLiteral("lampWiFi"));
}

QString COverviewScene::getTitle() const
{
    return tr("Overview");
}

void COverviewScene::setCurrentValues(const void* values, quint32 nSerialNr, int iRSSI)
{
    if (!values)
        return;
    const CFanValues& v = *static_cast<const CFanValues*>(values);

    m_Labels[LBL_OUTDOOR_TEMP]->setText(oneDecimal(v.OutdoorTemp));
    m_Labels[LBL_OUTDOOR_HUM]->setText(QString::number(v.OutdoorHum));
    m_Labels[LBL_OUTDOOR_HUM_ABS]->setText(oneDecimal(absoluteHumidity(v.OutdoorHum, v.OutdoorTemp)));

    m_Labels[LBL_EXHAUST_TEMP]->setText(oneDecimal(v.ExhaustTemp));
    m_Labels[LBL_EXTRACT_TEMP]->setText(oneDecimal(v.ExtractTemp));
    m_Labels[LBL_EXTRACT_HUM]->setText(QString::number(v.ExtractHum));
    m_Labels[LBL_EXTRACT_HUM_ABS]->setText(oneDecimal(absoluteHumidity(v.ExtractHum, v.ExtractTemp)));
    m_Labels[LBL_CO2]->setText(QString::number(v.CO2));
    m_Labels[LBL_EXTRACT_AIR_FLOW]->setText(QString::number(v.ExtractAirFlow));
    m_Labels[LBL_SUPPLY_TEMP]->setText(oneDecimal(v.getSupplyTempVirt()));
    m_Labels[LBL_SUPPLY_AIR_FLOW]->setText(QString::number(v.ExtractAirFlow));

    showMiddleBlock(v);

    // an unprogrammed unit (0xFFFFFFFF) counts as a new one
    if (nSerialNr >= FIRST_SERIAL_WITH_FILTER_TABLES)
    {
        updateFilterLamp(m_ExtractFilter, m_pExtractFilterLamp, EXTRACT_FILTER, v.AirFlowSetpoint,
                         v.FanExtractRPM);
        updateFilterLamp(m_SupplyFilter, m_pSupplyFilterLamp, SUPPLY_FILTER, v.AirFlowSetpoint,
                         v.FanSupplyRPM);
    }

    m_pCO2Lamp->setActiveLed(toLed(co2Level(v.CO2)));
    m_pHumidityLamp->setActiveLed(toLed(humidityLevel(v.ExtractHum)));

    m_pWiFiLamp->setActiveLed(CTrafficLightWidget::LED_NONE);
    if (g_bWifiAvailable)
        m_pWiFiLamp->setActiveLed(toLed(wifiLevel(iRSSI)));
}

void COverviewScene::showMiddleBlock(const CFanValues& v)
{
    const bool bCooling = v.SumCoolBypassOpen;
    m_Labels[LBL_RECOVERY_PERCENT]->setVisible(!bCooling);
    m_Labels[LBL_RECOVERY_PERCENT_UNIT]->setVisible(!bCooling);
    if (bCooling)
    {
        m_Labels[LBL_MIDDLE_WORD_1]->setText(tr("Cooling"));
        m_Labels[LBL_MIDDLE_WORD_2]->setText(tr("power"));
        m_Labels[LBL_POWER]->setText(QString::number(v.getExtractSupplyWatt()));
        return;
    }
    const int nWatt = v.getRecoveryWatt();
    m_Labels[LBL_MIDDLE_WORD_1]->setText(nWatt < 0 ? tr("Chill") : tr("Heat"));
    m_Labels[LBL_MIDDLE_WORD_2]->setText(tr("recovery"));
    m_Labels[LBL_RECOVERY_PERCENT]->setText(QString::number(v.getRecoveryPercent()));
    m_Labels[LBL_POWER]->setText(QString::number(qAbs(nWatt)));
}

void COverviewScene::updateFilterLamp(SFilterLampState& state, CTrafficLightWidget* pLamp,
                                      const SFilterRow* pTable, int nLevel, int nRPM)
{
    if (nLevel != state.nLastLevel)
    {
        state.nLastLevel = nLevel;
        state.nCount = 0;
        state.nMaxRPM = 0;
    }
    if (state.nMaxRPM < nRPM)
    {
        state.nCount = 0;
        state.nMaxRPM = nRPM;
    }
    bool bBlink;
    if (nRPM < 1)
    {
        // A standing fan keeps its lamp blinking until it turns again.
        state.nMaxRPM = 0;
        bBlink = true;
        state.nCount = 1;
    }
    else
    {
        bBlink = state.nCount < BLINKING_POLLS;
        ++state.nCount;
    }
    pLamp->setActiveLed(toLed(filterLevel(pTable, nLevel, nRPM)), bBlink);
}

int COverviewScene::filterLevel(const SFilterRow* pTable, int nLevel, int nRPM)
{
    const SFilterRow* pRow = pTable;
    while (pRow->nLevel != 0 && pRow->nLevel < nLevel)
        ++pRow;
    if (pRow->nLevel == 0)
        return CTrafficLightWidget::LED_NONE;

    // Thresholds at fractions of the speed span between a clean and a full filter, compared in
    // hundredths so that no rounding moves a border.
    const int c = pRow->nCleanRPM;
    const int d = pRow->nFullRPM - c;
    if (nRPM < c - d / 2)
        return CTrafficLightWidget::LED_NONE;
    const int r100 = nRPM * 100;
    if (r100 < c * 100 + 40 * d)
        return CTrafficLightWidget::LED_GREEN;
    if (r100 < c * 100 + 70 * d)
        return CTrafficLightWidget::LED_YELLOW;
    if (r100 < c * 100 + 95 * d)
        return CTrafficLightWidget::LED_ORANGE;
    return CTrafficLightWidget::LED_RED;
}

int COverviewScene::co2Level(int nCO2)
{
    if (nCO2 < 1000)
        return CTrafficLightWidget::LED_GREEN;
    if (nCO2 < 1700)
        return CTrafficLightWidget::LED_YELLOW;
    if (nCO2 < 2500)
        return CTrafficLightWidget::LED_ORANGE;
    return CTrafficLightWidget::LED_RED;
}

int COverviewScene::wifiLevel(int iRSSI)
{
    // The codes 0 and 7 count as no signal.
    if (iRSSI < -90 || iRSSI == 0 || iRSSI == 7)
        return CTrafficLightWidget::LED_RED;
    if (iRSSI <= -82)
        return CTrafficLightWidget::LED_ORANGE;
    if (iRSSI <= -72)
        return CTrafficLightWidget::LED_YELLOW;
    if (iRSSI <= -11)
        return CTrafficLightWidget::LED_GREEN;
    return CTrafficLightWidget::LED_NONE;
}

void COverviewScene::clearValues()
{
    COverviewSceneBase::clearValues();
    m_Labels[LBL_MIDDLE_WORD_1]->setText(tr("Heat"));
    m_Labels[LBL_MIDDLE_WORD_2]->setText(tr("recovery"));
    m_Labels[LBL_RECOVERY_PERCENT]->setVisible(true);
    m_Labels[LBL_RECOVERY_PERCENT_UNIT]->setVisible(true);
}

void COverviewScene::onComPortChanged(QString)
{
    for (SFilterLampState* pState : {&m_ExtractFilter, &m_SupplyFilter})
    {
        pState->nCount = 0;
        pState->nMaxRPM = 0;
    }
    clearValues();
}
