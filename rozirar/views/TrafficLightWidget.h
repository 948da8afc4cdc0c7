#pragma once

#include <QFrame>

class CVokLedWidget;
class QTimer;

// A row of four lamps (green, yellow, orange, red) of which at most one is lit, steadily or as
// a 150 ms flash once a second.
class CTrafficLightWidget : public QFrame
{
    Q_OBJECT

public:
    enum ELed
    {
        LED_NONE = -1,
        LED_GREEN = 0,
        LED_YELLOW = 1,
        LED_ORANGE = 2,
        LED_RED = 3
    };
    Q_ENUM(ELed)

    static constexpr int LAMP_COUNT = 4;
    static constexpr int FLASH_LIT_MS = 150;
    static constexpr int FLASH_DARK_MS = 850;

    explicit CTrafficLightWidget(QWidget* parent);

    // The lamp selected by the last request; any value outside 0..3 means none.
    int activeLed() const { return m_nLed; }
    bool isBlinking() const { return m_nBlinkPhase != PHASE_STEADY; }
    const CVokLedWidget* lamp(int i) const { return m_Lamps[i]; }

public slots:
    void setActiveLed(CTrafficLightWidget::ELed led, bool bBlink);
    void setActiveLed(CTrafficLightWidget::ELed led);
    void onTimer();

protected:
    void resizeEvent(QResizeEvent*) override {}

private:
    enum EBlinkPhase
    {
        PHASE_STEADY = 0,
        PHASE_DARK = 1,
        PHASE_LIT = 2
    };

    CVokLedWidget* m_Lamps[LAMP_COUNT];
    int m_nLed = LED_NONE;
    int m_nBlinkPhase = PHASE_STEADY;
    // One restartable timer, so a new blink request replaces the rhythm of an earlier one.
    QTimer* m_pBlinkTimer;
};
