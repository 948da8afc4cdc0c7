#include "GraphicsPlot.h"

#include "GraphicsFieldCurves.h"
#include "GraphicsMagnifier.h"
#include "LocalTimeParser.h"

#include <qwt_date.h>
#include <qwt_date_scale_draw.h>
#include <qwt_date_scale_engine.h>
#include <qwt_legend.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_panner.h>
#include <qwt_scale_div.h>
#include <qwt_text.h>

namespace
{
const int MIN_TIME_WINDOW_SECS = 600;

QString gridTitle(int nAxis)
{
    return QStringLiteral("Grid Axis%1")
        .arg(nAxis == CGraphicsPlot::AXIS_LEFT ? QLatin1Char('L') : QLatin1Char('R'));
}

QDateTime localTime(double x)
{
    return QwtDate::toDateTime(x, Qt::LocalTime);
}
} // namespace

CGraphicsPlot::CGraphicsPlot(QWidget* parent) : QwtPlot(parent), m_today([] { return QDate::currentDate(); })
{
    auto* pScaleDraw = new QwtDateScaleDraw(Qt::LocalTime);
    pScaleDraw->setDateFormat(QwtDate::Year, QStringLiteral("yyyy"));
    pScaleDraw->setDateFormat(QwtDate::Month, QStringLiteral("MMM yyyy"));
    pScaleDraw->setDateFormat(QwtDate::Week, QStringLiteral("Www yyyy"));
    pScaleDraw->setDateFormat(QwtDate::Day, QStringLiteral("dd.MM.yy"));
    for (QwtDate::IntervalType type : {QwtDate::Hour, QwtDate::Minute, QwtDate::Second, QwtDate::Millisecond})
        pScaleDraw->setDateFormat(type, QStringLiteral("hh:mm  dd.MM.yy"));
    setAxisScaleDraw(xBottom, pScaleDraw);
    setAxisScaleEngine(xBottom, new QwtDateScaleEngine(Qt::LocalTime));
    // Time and date make wide labels; with Qwt's default tick count they run into each other.
    setAxisMaxMajor(xBottom, 4);
    showToday();

    enableAxis(yLeft, false);
    enableAxis(yRight, false);

    insertLegend(new QwtLegend(), RightLegend);

    new QwtPlotPanner(canvas());
    auto* pMagnifier = new CGraphicsMagnifier(canvas());
    pMagnifier->setAxisEnabled(yLeft, false);
    pMagnifier->setAxisEnabled(yRight, false);

    setMinimumWidth(100);
}

CGraphicsPlot::~CGraphicsPlot()
{
    // The fields delete their own curves; Qwt must not see them again.
    qDeleteAll(m_fieldCurves);
}

void CGraphicsPlot::setAxisMinRange(const QString& strUnit, double dMin, double dMax)
{
    m_axisMinRanges.insert(strUnit, QwtInterval(dMin, dMax));
}

int CGraphicsPlot::findAxisForUnit(const QString& strUnit) const
{
    if (axisEnabled(yLeft) && axisTitle(yLeft).text() == strUnit)
        return AXIS_LEFT;
    if (!axisEnabled(yRight))
        return NO_AXIS;
    return axisTitle(yRight).text() == strUnit ? AXIS_RIGHT : NO_AXIS;
}

int CGraphicsPlot::addAxis(const QString& strUnit)
{
    int nAxis = NO_AXIS;
    if (!axisEnabled(yLeft))
        nAxis = AXIS_LEFT;
    else if (!axisEnabled(yRight))
        nAxis = AXIS_RIGHT;
    else
        return NO_AXIS;

    enableAxis(nAxis, true);
    setAxisTitle(nAxis, strUnit);

    auto* pGrid = new QwtPlotGrid;
    pGrid->setTitle(gridTitle(nAxis));
    pGrid->setYDiv(axisScaleDiv(nAxis));
    pGrid->setYAxis(nAxis);
    pGrid->enableY(true);
    if (nAxis == AXIS_LEFT)
        pGrid->setPen(QPen(QColor(255, 255, 255), 0, Qt::SolidLine));
    else
        pGrid->setPen(QPen(QBrush(QColor(255, 255, 255)), 1, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
    pGrid->attach(this);
    return nAxis;
}

void CGraphicsPlot::removeAxis(int nAxis)
{
    enableAxis(nAxis, false);
    const QString strTitle = gridTitle(nAxis);
    for (QwtPlotItem* pItem : itemList(QwtPlotItem::Rtti_PlotGrid))
    {
        if (pItem->title().text() == strTitle)
        {
            pItem->detach();
            delete pItem;
            return;
        }
    }
}

QColor CGraphicsPlot::pickColor(const QColor& base) const
{
    for (const QColor& candidate : {base, base.darker(150), base.lighter(150)})
    {
        bool bTaken = false;
        for (const CGraphicsFieldCurves* pField : m_fieldCurves)
            bTaken = bTaken || (pField && pField->color().rgba() == candidate.rgba());
        if (!bTaken)
            return candidate;
    }
    return QColor(0, 0, 0);
}

bool CGraphicsPlot::addCurve(const QVector<QPointF>& points, const QString& strName, const QString& strUnit,
                             const QColor& baseColor, int nLogKind)
{
    int nAxis = findAxisForUnit(strUnit);
    if (nAxis == NO_AXIS)
        nAxis = addAxis(strUnit);
    if (nAxis == NO_AXIS)
        return false;

    CGraphicsFieldCurves* pField = m_fieldCurves.value(strName);
    if (!pField)
    {
        pField = new CGraphicsFieldCurves(strName, nAxis, pickColor(baseColor), this);
        m_fieldCurves.insert(strName, pField);
    }
    pField->addSegment(points, nLogKind);
    return true;
}

bool CGraphicsPlot::removeFieldCurves(const QString& strName)
{
    CGraphicsFieldCurves* pField = m_fieldCurves.value(strName);
    if (!pField)
        return false;
    delete pField;
    m_fieldCurves.remove(strName);

    bool bLeftUsed = false;
    bool bRightUsed = false;
    for (const CGraphicsFieldCurves* pOther : qAsConst(m_fieldCurves))
    {
        bLeftUsed = bLeftUsed || pOther->axis() == AXIS_LEFT;
        bRightUsed = bRightUsed || pOther->axis() == AXIS_RIGHT;
        if (bLeftUsed && bRightUsed)
            break;
    }
    if (!bLeftUsed)
        removeAxis(AXIS_LEFT);
    if (!bRightUsed)
        removeAxis(AXIS_RIGHT);
    replot();
    return true;
}

void CGraphicsPlot::removeSegments(int nLogKind)
{
    for (CGraphicsFieldCurves* pField : qAsConst(m_fieldCurves))
        pField->removeSegments(nLogKind);
}

CGraphicsFieldCurves* CGraphicsPlot::findFieldCurves(const QString& strName) const
{
    return m_fieldCurves.value(strName);
}

int CGraphicsPlot::curveCount() const
{
    return m_fieldCurves.size();
}

void CGraphicsPlot::fitAxis(int nAxis)
{
    setAxisAutoScale(nAxis, true);
    updateAxes();
    const auto range = m_axisMinRanges.constFind(axisTitle(nAxis).text());
    if (range == m_axisMinRanges.constEnd())
        return;
    const QwtScaleDiv& automatic = axisScaleDiv(nAxis);
    const double dLower = qMin(automatic.lowerBound(), range->minValue());
    const double dUpper = qMax(range->maxValue(), automatic.upperBound());
    setAxisScale(nAxis, dLower, dUpper);
}

void CGraphicsPlot::setTimeRange(double dFrom, double dTo)
{
    const double dLower = dFrom - (dTo - dFrom) / 10;
    setTimeScale(dLower, dTo + (dTo - dLower) / 10);
}

void CGraphicsPlot::fitTimeAxis()
{
    if (m_fieldCurves.isEmpty())
    {
        showToday();
        return;
    }
    setAxisAutoScale(xBottom, true);
    updateAxes();
    const QwtScaleDiv& div = axisScaleDiv(xBottom);
    if (localTime(div.lowerBound()).secsTo(localTime(div.upperBound())) < MIN_TIME_WINDOW_SECS)
        setTimeScale(div.lowerBound(), div.upperBound());
}

void CGraphicsPlot::setTimeScale(double dLower, double dUpper)
{
    QDateTime lower = localTime(dLower);
    QDateTime upper = localTime(dUpper);
    const qint64 nDistance = lower.secsTo(upper);
    if (nDistance < MIN_TIME_WINDOW_SECS)
    {
        const qint64 nHalf = (MIN_TIME_WINDOW_SECS - nDistance) / 2;
        lower = lower.addSecs(-nHalf);
        upper = upper.addSecs(nHalf);
    }
    setAxisScale(xBottom, QwtDate::toDouble(lower), QwtDate::toDouble(upper));
}

void CGraphicsPlot::showToday()
{
    // Without points the automatic scale would count from the epoch, 1 January 1970. The day's ends
    // are the starts of two dates as the log store finds them, so a repeated midnight's first hour
    // is shown on the day its rows are listed under.
    const QDate today = m_today();
    CLocalTimeParser zone;
    setAxisScale(xBottom, 1000.0 * double(zone.startOfDate(today)),
                 1000.0 * double(zone.startOfDate(today.addDays(1))));
}

void CGraphicsPlot::setTimeSpan(int nSeconds)
{
    const double dLower = axisInterval(xBottom).minValue();
    setAxisScale(xBottom, dLower, QwtDate::toDouble(localTime(dLower).addSecs(nSeconds)));
    replot();
}

void CGraphicsPlot::setToday(std::function<QDate()> today)
{
    m_today = std::move(today);
    if (m_fieldCurves.isEmpty())
        showToday();
}

void CGraphicsPlot::setStartDate(const QDateTime& start)
{
    const QwtInterval current = axisInterval(xBottom);
    const double dWidth = current.isValid() ? current.width() : 0;
    const double dStart = QwtDate::toDouble(start);
    setAxisScale(xBottom, dStart, dStart + dWidth);
    replot();
}

void CGraphicsPlot::clear()
{
    qDeleteAll(m_fieldCurves);
    m_fieldCurves.clear();
    detachItems(QwtPlotItem::Rtti_PlotItem, true);
    enableAxis(yLeft, false);
    enableAxis(yRight, false);
}
