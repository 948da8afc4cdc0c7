#include "GraphicsFieldCurves.h"

#include "GraphicsPlot.h"
#include "GraphicsSegmentCurve.h"

#include <QPen>

CGraphicsFieldCurves::CGraphicsFieldCurves(const QString& strName, int nAxis, const QColor& color,
                                           CGraphicsPlot* parent)
    : QObject(parent), m_strName(strName), m_nAxis(nAxis), m_color(color),
      m_pCurve(new CGraphicsSegmentCurve(strName))
{
    m_pCurve->attach(parent);
    m_pCurve->setYAxis(m_nAxis);
    m_pCurve->setPen(m_color, 3, Qt::SolidLine);
}

CGraphicsFieldCurves::~CGraphicsFieldCurves()
{
    m_pCurve->detach();
    delete m_pCurve;
}

CGraphicsPlot* CGraphicsFieldCurves::plot() const
{
    return dynamic_cast<CGraphicsPlot*>(parent());
}

void CGraphicsFieldCurves::addSegment(const QVector<QPointF>& points, int nLogKind)
{
    if (points.isEmpty())
        return;
    m_segments.append({points.first().x(), points.last().x(), nLogKind});
    m_pCurve->appendSegment(points);
}

void CGraphicsFieldCurves::removeSegments(int nLogKind)
{
    QVector<bool> keep;
    for (const SSegment& segment : qAsConst(m_segments))
        keep.append(segment.nLogKind != nLogKind);
    if (!keep.contains(false))
        return;
    m_pCurve->keepSegments(keep);
    m_segments.erase(std::remove_if(m_segments.begin(), m_segments.end(),
                                    [nLogKind](const SSegment& segment)
                                    { return segment.nLogKind == nLogKind; }),
                     m_segments.end());
}

QList<QPair<double, double>> CGraphicsFieldCurves::segmentRanges(int nLogKind) const
{
    QList<QPair<double, double>> ranges;
    for (const SSegment& segment : m_segments)
        if (segment.nLogKind == nLogKind)
            ranges.append(qMakePair(segment.dFirstX, segment.dLastX));
    return ranges;
}
