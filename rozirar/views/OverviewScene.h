#pragma once

#include "OverviewSceneBase.h"

class CFanValues;

// Overview picture of a tolVane100: outdoor air left, extract air with its lamps right, exhaust
// bottom left, supply bottom right, the heat recovered (or the cooling power) in the middle.
class COverviewScene : public COverviewSceneBase
{
    Q_OBJECT

public:
    // Indexes into the label list, in the order the scene builds them.
    enum ELabel
    {
        LBL_OUTDOOR_TEMP = 1,
        LBL_OUTDOOR_HUM = 4,
        LBL_OUTDOOR_HUM_ABS = 7,
        LBL_EXHAUST_TEMP = 10,
        LBL_MIDDLE_WORD_1 = 14,
        LBL_MIDDLE_WORD_2 = 15,
        LBL_POWER = 16,
        LBL_RECOVERY_PERCENT = 18,
        LBL_RECOVERY_PERCENT_UNIT = 19,
        LBL_EXTRACT_TEMP = 22,
        LBL_EXTRACT_HUM = 25,
        LBL_EXTRACT_HUM_ABS = 28,
        LBL_CO2 = 30,
        LBL_EXTRACT_AIR_FLOW = 33,
        LBL_SUPPLY_TEMP = 41,
        LBL_SUPPLY_AIR_FLOW = 44,
        LABEL_COUNT = 48
    };

    explicit COverviewScene(QObject* parent);

    // values is a CFanValues.
    void setCurrentValues(const void* values, quint32 nSerialNr, int iRSSI) override;
    QString getTitle() const override;
    // Also the middle block as built: heat recovery with its percentage.
    void clearValues() override;

    const QVector<QLabel*>& labels() const { return m_Labels; }

    // One row of a filter table: fan speeds with a clean and with a full filter at an air-flow level.
    struct SFilterRow
    {
        int nLevel;
        int nCleanRPM;
        int nFullRPM;
    };
    // The lamp of a filter whose fan turns at nRPM at air-flow level nLevel; -1 for none.
    static int filterLevel(const SFilterRow* pTable, int nLevel, int nRPM);
    static int co2Level(int nCO2);
    static int wifiLevel(int iRSSI);

public slots:
    void onComPortChanged(QString strComPort);

private:
    // A filter lamp blinks for a few polls after the air flow changed or a faster fan was seen.
    struct SFilterLampState
    {
        int nLastLevel = 0;
        int nMaxRPM = 0;
        int nCount = 0;
    };

    void showMiddleBlock(const CFanValues& values);
    static void updateFilterLamp(SFilterLampState& state, CTrafficLightWidget* pLamp,
                                 const SFilterRow* pTable, int nLevel, int nRPM);

    SFilterLampState m_ExtractFilter;
    SFilterLampState m_SupplyFilter;
    QVector<QLabel*> m_Labels;
    CTrafficLightWidget* m_pHumidityLamp;
    CTrafficLightWidget* m_pCO2Lamp;
    CTrafficLightWidget* m_pExtractFilterLamp;
    CTrafficLightWidget* m_pSupplyFilterLamp;
    CTrafficLightWidget* m_pWiFiLamp;
};
