#pragma once

#include "debugwidget.h"

class QButtonGroup;

// Service panel of a tolVane100: simulated sensor values and DIP switch sent with
// "Set Values 100", a humidity calculator, manual vent moves, the vents' statistics, and this
// unit's columns of the test-values file.
class CDebugTolVane100 : public CDebugWidget
{
    Q_OBJECT

public:
    // The DIP option's meaning depends on the unit's serial number.
    CDebugTolVane100(CMainDialog* pDialog, quint32 nSerialNr, QWidget* parent = nullptr);

    static constexpr quint32 LAST_POWER_LINE_SERIAL = 3000;

public slots:
    void ReloadTestFile() override;
    void slotCalcHum();
    void slotButtonSetValues();
    void onButonMoveVent_clicked(int vent);
    void on_ButtonGetVentInfo_clicked();

protected:
    void applyTestCase(int row) override;
    void storeTestResult() override;

private:
    QLineEdit* addEdit(const QString& text);

    QPushButton* m_pButtonVentInfo;
    QPushButton* m_pButtonSet;
    QLineEdit* m_pTOutdoor;
    QLineEdit* m_pTSupply;
    QLineEdit* m_pTExhaust;
    QLineEdit* m_pTExtract;
    QLineEdit* m_pRelHumExtract;
    QLineEdit* m_pRelHumOutdoor;
    QLineEdit* m_pAbsHumExtract;
    QLineEdit* m_pAbsHumOutdoor;
    QLineEdit* m_pCO2;
    QLineEdit* m_pComfortLevel;
    QLineEdit* m_pAveHumExtract;
    QLineEdit* m_pAveTempOutdoor;
    QCheckBox* m_pDipOption;
    QCheckBox* m_pHumReduction;
    QComboBox* m_pComboSecondRoomFlow;
    QComboBox* m_pComboRoomArea;
    QComboBox* m_pComboSumCool;
    QButtonGroup* m_pPositionGroup;
};
