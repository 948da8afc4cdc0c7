#include "VokLedWidget.h"

#include <QPainter>
#include <QRadialGradient>

CVokLedWidget::CVokLedWidget(QWidget* parent, const QColor& colour, bool bSwitchedOn, bool bBezel)
    : QLabel(parent), m_bSwitchedOn(bSwitchedOn), m_Colour(colour), m_bBezel(bBezel)
{
    update();
}

void CVokLedWidget::setColor(const QColor& colour)
{
    m_Colour = colour;
    update();
}

void CVokLedWidget::setBezel(bool bBezel)
{
    m_bBezel = bBezel;
    update();
}

void CVokLedWidget::setSwitchedOn(bool bSwitchedOn)
{
    if (bSwitchedOn == m_bSwitchedOn)
        return;
    m_bSwitchedOn = bSwitchedOn;
    update();
}

void CVokLedWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const int nSide = qMin(width(), height());
    const Qt::Alignment align = alignment();
    int x = 0;
    if (align & Qt::AlignHCenter)
        x = (width() - nSide) / 2;
    else if (align & Qt::AlignRight)
        x = width() - nSide;
    int y = 0;
    if (align & Qt::AlignVCenter)
        y = (height() - nSide) / 2;
    else if (align & Qt::AlignBottom)
        y = height() - nSide;
    painter.translate(x, y);
    // From here on the lamp is drawn in a 100 x 100 square.
    painter.scale(nSide / 100.0, nSide / 100.0);
    painter.setPen(Qt::NoPen);

    if (m_bBezel)
    {
        painter.setBrush(QColor(24, 24, 24, 255));
        painter.drawEllipse(QRectF(1, 1, 98, 98));
    }

    // A dark lamp keeps its hue, so an unlit row still shows which lamp is which.
    const QColor colour = m_bSwitchedOn ? m_Colour : m_Colour.darker(320);
    QRadialGradient gradient(QPointF(50, 50), 43, QPointF(40, 40));
    gradient.setColorAt(0.1, colour.lighter(180));
    gradient.setColorAt(0.8, colour);
    gradient.setColorAt(1.0, colour.darker(150));
    painter.setBrush(gradient);
    painter.drawEllipse(m_bBezel ? QRectF(7, 7, 86, 86) : QRectF(1, 1, 98, 98));
}
