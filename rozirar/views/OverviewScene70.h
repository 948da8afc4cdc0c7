#pragma once

#include "OverviewSceneBase.h"

// Overview picture of a tolVane plus: supply air on the left, the extract air of the preferred
// room on the right, with lamps for the extract humidity and the air-quality difference.
class COverviewScene70 : public COverviewSceneBase
{
    Q_OBJECT

public:
    enum ELabel
    {
        LBL_EXTRACT_TEMP = 3,
        LBL_EXTRACT_HUM = 6,
        LBL_EXTRACT_HUM_ABS = 9,
        LBL_EXTRACT_AIR_QUALITY = 11,
        LBL_AIR_FLOW = 14,
        LBL_SUPPLY_TEMP = 20,
        LBL_SUPPLY_HUM = 23,
        LBL_SUPPLY_HUM_ABS = 26,
        LBL_SUPPLY_AIR_QUALITY = 28,
        LABEL_COUNT = 31
    };

    explicit COverviewScene70(QObject* parent);

    // values is a CFanValues70; this scene shows neither the serial number nor a signal strength.
    void setCurrentValues(const void* values, quint32 nSerialNr, int iRSSI) override;

    const QVector<QLabel*>& labels() const { return m_Labels; }

    // Lamp of the extract air's quality above that of the supply air.
    static int airQualityLevel(int nDifference);

public slots:
    void onComPortChanged(QString strComPort);

private:
    QVector<QLabel*> m_Labels;
    CTrafficLightWidget* m_pHumidityLamp;
    CTrafficLightWidget* m_pAirQualityLamp;
};
