#include "GraphicsFieldCurves.h"

#include "GraphicsPlot.h"

#include <qwt_plot_curve.h>

#include <QPen>

CGraphicsFieldCurves::CGraphicsFieldCurves(const QString& strName, int nAxis, const QColor& color,
                                           CGraphicsPlot* parent)
    : QObject(parent), m_strName(strName), m_nAxis(nAxis), m_color(color)
{
}

CGraphicsFieldCurves::~CGraphicsFieldCurves()
{
    for (const SSegment& segment : qAsConst(m_segments))
    {
        segment.pCurve->detach();
        delete segment.pCurve;
    }
}

CGraphicsPlot* CGraphicsFieldCurves::plot() const
{
    return dynamic_cast<CGraphicsPlot*>(parent());
}

void CGraphicsFieldCurves::addSegment(const QVector<QPointF>& points, int nLogKind)
{
    if (points.isEmpty())
        return;
    auto* pCurve = new QwtPlotCurve(m_strName);
    pCurve->setSamples(points);
    if (!m_segments.isEmpty())
        pCurve->setItemAttribute(QwtPlotItem::Legend, false);
    pCurve->attach(plot());
    pCurve->setYAxis(m_nAxis);
    pCurve->setPen(m_color, 3, Qt::SolidLine);
    m_segments.append({points.first().x(), points.last().x(), nLogKind, pCurve});
}

QList<QPair<double, double>> CGraphicsFieldCurves::segmentRanges(int nLogKind) const
{
    QList<QPair<double, double>> ranges;
    for (const SSegment& segment : m_segments)
        if (segment.nLogKind == nLogKind)
            ranges.append(qMakePair(segment.dFirstX, segment.dLastX));
    return ranges;
}
