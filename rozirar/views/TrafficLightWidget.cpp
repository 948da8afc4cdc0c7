#include "TrafficLightWidget.h"

#include "VokLedWidget.h"

#include <QHBoxLayout>
#include <QTimer>

namespace
{
const QColor LAMP_COLOURS[CTrafficLightWidget::LAMP_COUNT] = {
    QColor(0, 255, 0, 255), QColor(220, 220, 0, 255), QColor(255, 150, 20, 255), QColor(255, 0, 0, 255)};
}

CTrafficLightWidget::CTrafficLightWidget(QWidget* parent) : QFrame(parent), m_pBlinkTimer(new QTimer(this))
{
    QHBoxLayout* pLayout = new QHBoxLayout;
    pLayout->setContentsMargins(8, 8, 8, 8);
    pLayout->setSpacing(3);
    for (CVokLedWidget*& pLamp : m_Lamps)
    {
        pLamp = new CVokLedWidget(this, QColor(), false, false);
        pLayout->addWidget(pLamp);
    }
    for (int i = 0; i < LAMP_COUNT; ++i)
        m_Lamps[i]->setColor(LAMP_COLOURS[i]);
    setLayout(pLayout);

    m_pBlinkTimer->setObjectName(QStringLiteral("blinkTimer"));
    m_pBlinkTimer->setSingleShot(true);
    connect(m_pBlinkTimer, &QTimer::timeout, this, &CTrafficLightWidget::onTimer);
}

void CTrafficLightWidget::setActiveLed(ELed led, bool bBlink)
{
    if (led == m_nLed && bBlink == isBlinking())
        return;
    m_nBlinkPhase = bBlink ? PHASE_DARK : PHASE_STEADY;
    m_nLed = led;
    if (!bBlink)
        m_pBlinkTimer->stop();
    onTimer();
}

void CTrafficLightWidget::setActiveLed(ELed led)
{
    setActiveLed(led, false);
}

void CTrafficLightWidget::onTimer()
{
    if (m_nBlinkPhase == PHASE_LIT)
    {
        m_nBlinkPhase = PHASE_DARK;
        m_pBlinkTimer->start(FLASH_DARK_MS);
    }
    else if (m_nBlinkPhase == PHASE_DARK)
    {
        m_nBlinkPhase = PHASE_LIT;
        m_pBlinkTimer->start(FLASH_LIT_MS);
    }
    for (int i = 0; i < LAMP_COUNT; ++i)
        m_Lamps[i]->setSwitchedOn(m_nBlinkPhase != PHASE_DARK && i == m_nLed);
}
