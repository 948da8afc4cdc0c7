#pragma once

#include <QColor>
#include <QLabel>

// One round lamp, lit or dark, drawn with a radial gradient in the largest square the widget
// holds; the label's alignment places that square (the label's text is not used).
class CVokLedWidget : public QLabel
{
    Q_OBJECT

public:
    CVokLedWidget(QWidget* parent, const QColor& colour, bool bSwitchedOn, bool bBezel);

    void setColor(const QColor& colour);
    void setBezel(bool bBezel);
    bool isSwitchedOn() const { return m_bSwitchedOn; }

public slots:
    void setSwitchedOn(bool bSwitchedOn);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_bSwitchedOn;
    QColor m_Colour;
    bool m_bBezel;
};
