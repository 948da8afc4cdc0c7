#pragma once

#include <qwt_plot_magnifier.h>

// Wheel zoom of the diagram's time axis, kept between a 10-minute and a 7-year window.
class CGraphicsMagnifier : public QwtPlotMagnifier
{
    Q_OBJECT

public:
    explicit CGraphicsMagnifier(QWidget* canvas);

protected:
    void rescale(double factor) override;
};
