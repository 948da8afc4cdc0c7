#include "OverviewScene70.h"

#include "FanValues70.h"
#include "TrafficLightWidget.h"

#include <QLabel>
#include <cstdlib>

namespace
{
using namespace OverviewLabels;

const Def LABELS[] = {
    {900, 195, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "Preferred Room (Bedroom)")},
    // left of the table's 250, so that the English text ends before the wall
    {180, 735, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "Outdoor Air Room (Floor)")},
    {1120, 300, 125, 50, K_TITLE, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "Extract")},
    {1050, 360, 100, 50, K_EXTRACT, VALUE, nullptr},
    {1160, 360, 125, 50, K_TEXT, UNIT, "ExtractTemp"},
    {1245, 360, 125, 50, K_ABBR, ABBR, "ExtractTemp"},
    {1050, 420, 100, 50, K_EXTRACT, VALUE, nullptr},
    {1160, 420, 125, 50, K_TEXT, UNIT, "ExtractHum"},
    {1245, 420, 125, 50, K_ABBR, ABBR, "ExtractHum"},
    {1050, 480, 100, 50, K_EXTRACT, VALUE, nullptr},
    {1160, 480, 125, 50, K_TEXT, UNIT, "ExtractHumAbs"},
    {1050, 540, 100, 50, K_EXTRACT, VALUE, nullptr},
    {1160, 540, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "VOC")},
    {1245, 540, 125, 50, K_ABBR, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "(AQE)")},
    {1050, 600, 100, 50, K_EXTRACT, VALUE, nullptr},
    {1160, 600, 125, 50, K_TEXT, UNIT, "ExtractAirFlow"},
    {1245, 600, 125, 50, K_ABBR, ABBR, "ExtractAirFlow"},
    {1540, 420, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "Humidity")},
    {1540, 540, 125, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "VOC Difference")},
    {170, 300, 125, 50, K_TITLE, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "Supply")},
    {115, 360, 100, 50, K_SUPPLY, VALUE, nullptr},
    {225, 360, 125, 50, K_TEXT, UNIT, "SupplyTemp70"},
    {310, 360, 125, 50, K_ABBR, ABBR, "SupplyTemp70"},
    {115, 420, 100, 50, K_SUPPLY, VALUE, nullptr},
    {225, 420, 125, 50, K_TEXT, UNIT, "OutdoorHum"},
    {310, 420, 125, 50, K_ABBR, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "(HSU)")},
    {115, 480, 100, 50, K_SUPPLY, VALUE, nullptr},
    {225, 480, 125, 50, K_TEXT, UNIT, "OutdoorHumAbs"},
    {115, 540, 100, 50, K_SUPPLY, VALUE, nullptr},
    {225, 540, 120, 50, K_TEXT, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "VOC")},
    {310, 540, 125, 50, K_ABBR, LIT, QT_TRANSLATE_NOOP("COverviewScene70", "(AQS)")},
};
static_assert(sizeof(LABELS) / sizeof(LABELS[0]) == COverviewScene70::LABEL_COUNT,
              "one definition per label");
} // namespace

COverviewScene70::COverviewScene70(QObject* parent) : COverviewSceneBase(parent)
{
    placePicture(QStringLiteral(":/Pixmaps/tolVaneplus.png"), 600);
    m_Labels = buildLabels(LABELS, LABEL_COUNT, "COverviewScene70");
    m_pHumidityLamp = addLamp(420, QStringLiteral("lampHumidity"));
    m_pAirQualityLamp = addLamp(540, QStringLiteral("lampAirQuality"));
}

void COverviewScene70::setCurrentValues(const void* values, quint32, int)
{
    if (!values)
        return;
    const CFanValues70& v = *static_cast<const CFanValues70*>(values);

    // OutdoorHum of this unit is the humidity of the air it supplies.
    m_Labels[LBL_SUPPLY_HUM]->setText(QString::number(v.OutdoorHum));
    m_Labels[LBL_SUPPLY_HUM_ABS]->setText(oneDecimal(absoluteHumidity(v.OutdoorHum, v.SupplyTemp70)));
    m_Labels[LBL_EXTRACT_TEMP]->setText(oneDecimal(v.ExtractTemp));
    m_Labels[LBL_EXTRACT_HUM]->setText(QString::number(v.ExtractHum));
    m_Labels[LBL_EXTRACT_HUM_ABS]->setText(oneDecimal(absoluteHumidity(v.ExtractHum, v.ExtractTemp)));
    m_Labels[LBL_EXTRACT_AIR_QUALITY]->setText(QString::number(v.ExtractCO270));
    m_Labels[LBL_SUPPLY_AIR_QUALITY]->setText(QString::number(v.SupplyCO270));
    m_Labels[LBL_AIR_FLOW]->setText(QString::number(std::abs(v.ExtractAirFlow)));
    m_Labels[LBL_SUPPLY_TEMP]->setText(oneDecimal(v.SupplyTemp70));

    m_pAirQualityLamp->setActiveLed(toLed(airQualityLevel(v.ExtractCO270 - v.SupplyCO270)));
    m_pHumidityLamp->setActiveLed(toLed(humidityLevel(v.ExtractHum)));
}

int COverviewScene70::airQualityLevel(int nDifference)
{
    if (nDifference <= 14)
        return CTrafficLightWidget::LED_GREEN;
    if (nDifference <= 29)
        return CTrafficLightWidget::LED_YELLOW;
    if (nDifference <= 49)
        return CTrafficLightWidget::LED_ORANGE;
    return CTrafficLightWidget::LED_RED;
}

void COverviewScene70::onComPortChanged(QString)
{
    clearValues();
}
