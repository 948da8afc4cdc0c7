#include "GraphicsMagnifier.h"

#include <qwt_date.h>
#include <qwt_plot.h>
#include <qwt_scale_div.h>

namespace
{
const double WHEEL_FACTOR = 0.75;
const qint64 MIN_WINDOW_SECS = 600;
const qint64 MAX_WINDOW_SECS = 7LL * 365 * 86400;
} // namespace

CGraphicsMagnifier::CGraphicsMagnifier(QWidget* canvas) : QwtPlotMagnifier(canvas)
{
    setWheelFactor(WHEEL_FACTOR);
}

void CGraphicsMagnifier::rescale(double factor)
{
    const QwtScaleDiv& div = plot()->axisScaleDiv(QwtPlot::xBottom);
    const qint64 span = QwtDate::toDateTime(div.lowerBound(), Qt::LocalTime)
                            .secsTo(QwtDate::toDateTime(div.upperBound(), Qt::LocalTime));
    if (factor < 1 && factor * span < MIN_WINDOW_SECS)
        return;
    if (factor > 1 && factor * span > MAX_WINDOW_SECS)
        return;
    QwtPlotMagnifier::rescale(factor);
}
