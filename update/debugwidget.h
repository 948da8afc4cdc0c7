#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

class CFanBase;
class CMainDialog;
class CVokDelimTextModel;
class QCheckBox;
class QComboBox;
class QLCDNumber;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The updater's service panel: diagnostic requests to the unit (results go to the dialog's
// debug text box), shortcuts to single update steps, and a runner of test cases from a
// semicolon-separated file whose results are written back into it. The unit-specific
// simulation controls and columns come from the subclasses.
//
// A panel is made for one identification: its requests that change the unit go only to the unit
// of that identification while it is the current one. When the dialog shows another panel, the
// old one goes once none of its slots runs any more (one may wait in a message box).
class CDebugWidget : public QWidget
{
    Q_OBJECT

public:
    CDebugWidget(CMainDialog* pDialog, QWidget* parent = nullptr);

    CVokDelimTextModel* testModel() const { return m_pTestModel; }
    QComboBox* testCaseCombo() const { return m_pComboTestCase; }
    QLCDNumber* countdown() const { return m_pCountdown; }

    // The dialog shows another panel: this one stops its test cases and goes once none of its
    // slots runs.
    void retire();

    // File format of the test values.
    static constexpr QChar DELIMITER = QLatin1Char(';');
    static constexpr QChar QUOTE = QLatin1Char('"');
    static constexpr const char* CODEC = "ISO 8859-1";
    static constexpr int TICK_MS = 1000;

public slots:
    virtual void slotButtonSetSensorValues();
    virtual void ReloadTestFile() = 0;
    virtual void comboTestCase_curIndexChanged(int index);
    virtual void slotTimerTimeOutAll();
    void slotCheckSecLog();
    void slotEraseSecLog();
    void slotRepSecLog();
    void slotCalcAveSenVal();
    void slotGetSecLogCnt();
    void slotButtonRepCnt();
    void slotButtonSwap();
    void slotButtonIdent();
    void slotButtonClearLog();
    void slotButtonRepTime();
    void slotButtonRepPrimLog();
    void slotButtonDumpMem();
    void slotButtonGetPT();
    void slotButtonWifiDataDebug();

protected:
    virtual void applyTestCase(int row);
    virtual void storeTestResult();

    // The reload both panels share, with the columns a panel cannot do without.
    void reloadTestFile(const QStringList& requiredColumns);
    void fillTestCaseCombo(QComboBox* pCombo);
    int currentTestRow() const;
    void checkTestColumns(const QStringList& columns);
    void saveTestFile();

    // Pieces of applying a row and storing a result; a missing column changes nothing.
    int testColumn(const QString& name) const;
    // Copies the row's number cells (column, field) into their fields. A cell that holds no
    // number refuses the whole row with a message naming row and column: false, nothing set.
    bool setNumberEdits(int row, const QList<QPair<QString, QLineEdit*>>& cells);
    void selectComboFromColumn(int row, const QString& column, QComboBox* pCombo);
    void startCountdown(int row);
    void setResultCell(int row, const QString& column, const QString& text);

    // Conversions of the simulation controls. Numbers take "." or "," as decimal sign; empty
    // text is 0, and so is text that is no number.
    static bool parseNumber(const QString& text, double& value);
    static int wholeNumber(const QString& text);
    static quint8 comfortLevelCode(const QString& text);
    // Degrees Celsius to eighths of a degree, halves away from zero.
    static qint16 eighths(const QString& text);
    // "g/Kg: %1, g/m³: %2" of the absolute humidity at that temperature and relative humidity.
    static QString absoluteHumidityText(const QString& temperature, const QString& relativeHumidity);

    // The slot wrapped so that the panel outlives it; every button, box and timer of the panel
    // reaches its slots through this.
    std::function<void()> running(std::function<void()> slot);
    // A button whose request changes the unit: on only while the panel's identification is current.
    void addUnitWrite(QPushButton* pButton);
    // Sends a request that changes the unit, only to the unit this panel was made for; a refusal
    // is said in the debug text box. The request's own result otherwise.
    bool writeToUnit(const std::function<bool(CFanBase&)>& request);

    QWidget* lowerArea() const { return m_pLowerArea; }
    CMainDialog* dialog() const { return m_pDialog; }
    // The unit has no Wi-Fi module: its step stays off.
    void withoutWifiModule();
    void output(const QString& text, bool bRepaint = true);

    QTimer m_TickTimer;

private:
    // Counts a running slot of the panel while it lives.
    class CRunningSlot
    {
    public:
        explicit CRunningSlot(CDebugWidget& panel);
        ~CRunningSlot();
        CRunningSlot(const CRunningSlot&) = delete;
        CRunningSlot& operator=(const CRunningSlot&) = delete;

    private:
        CDebugWidget& m_Panel;
    };

    int checkedSpan() const;
    // The update steps are on only while the dialog's write gate is open; the panel's own writes
    // while its identification is the current one.
    void showWriteGate();

    QWidget* m_pUpperArea;
    QWidget* m_pLowerArea;
    CMainDialog* m_pDialog;
    QLineEdit* m_pDumpAddress;
    QCheckBox* m_pAutoTest;
    QComboBox* m_pComboSpan;
    QComboBox* m_pComboTestCase;
    QRadioButton* m_pReportAll;
    QRadioButton* m_pYoungest10;
    QRadioButton* m_pYoungest100;
    QRadioButton* m_pOldest10;
    QRadioButton* m_pOldest100;
    QLCDNumber* m_pCountdown;
    QPushButton* m_pWifiModuleStep;
    QList<QPushButton*> m_WriteSteps; // the Wi-Fi module's among them
    QList<QPushButton*> m_UnitWrites;
    QMetaObject::Connection m_TestCaseChanged;
    const int m_nIdent; // the identification the panel was made for
    int m_nRunning = 0; // slots of the panel running now
    bool m_bRetired = false;
    bool m_bWifiModule = true;
    QString m_strTestValuesPath;
    CVokDelimTextModel* m_pTestModel = nullptr;
};
