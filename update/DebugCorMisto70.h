#pragma once

#include "debugwidget.h"

// Service panel of a tolVane plus: simulated sensor values sent with "Set Values 70", a
// humidity calculator, and this unit's columns of the test-values file.
class CDebugCorMisto70 : public CDebugWidget
{
    Q_OBJECT

public:
    CDebugCorMisto70(CMainDialog* pDialog, QWidget* parent = nullptr);

public slots:
    void ReloadTestFile() override;
    void slotButtonSetSensorValues() override;
    void slotCalcHum();

protected:
    void applyTestCase(int row) override;
    void storeTestResult() override;

private:
    QLineEdit* addEdit(const QString& text);

    QPushButton* m_pButtonSet;
    QLineEdit* m_pTExtract;
    QLineEdit* m_pTSupply;
    QLineEdit* m_pRelHumExtract;
    QLineEdit* m_pRelHumSupply;
    QLineEdit* m_pCO2Extract;
    QLineEdit* m_pCO2Supply;
    QLineEdit* m_pComfortLevel;
    QLineEdit* m_pAbsHumExtract;
    QLineEdit* m_pAbsHumSupply;
    QLineEdit* m_pAveHumExtract;
    QLineEdit* m_pAveTempOutdoor;
    QComboBox* m_pComboRoomArea;
    QComboBox* m_pComboSumCool;
};
