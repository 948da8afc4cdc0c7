#include "GraphicsSegmentCurve.h"

#include <qwt_clipper.h>
#include <qwt_painter.h>
#include <qwt_scale_map.h>
#include <qwt_series_data.h>

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <iterator>

class CGraphicsSegmentCurve::CSeries : public QwtSeriesData<QPointF>
{
public:
    size_t size() const override { return size_t(m_points.size()); }
    QPointF sample(size_t i) const override { return m_points[int(i)]; }

    // Cached: the plot asks for it on every replot while an axis scales automatically.
    QRectF boundingRect() const override
    {
        if (m_points.isEmpty())
            return QRectF(1.0, 1.0, -2.0, -2.0);
        if (d_boundingRect.width() < 0)
        {
            double dMinY = m_points.first().y();
            double dMaxY = dMinY;
            for (const QPointF& point : m_points)
            {
                dMinY = qMin(dMinY, point.y());
                dMaxY = qMax(dMaxY, point.y());
            }
            double dMinX = m_points.first().x();
            double dMaxX = dMinX;
            // Each segment is in time order, so its ends bound its x.
            for (int nStart : m_starts)
            {
                dMinX = qMin(dMinX, m_points[nStart].x());
                dMaxX = qMax(dMaxX, m_points[segmentEnd(nStart) - 1].x());
            }
            d_boundingRect = QRectF(dMinX, dMinY, dMaxX - dMinX, dMaxY - dMinY);
        }
        return d_boundingRect;
    }

    int segmentEnd(int nStart) const
    {
        const auto next = std::upper_bound(m_starts.cbegin(), m_starts.cend(), nStart);
        return next == m_starts.cend() ? m_points.size() : *next;
    }

    void changed() { d_boundingRect = QRectF(0.0, 0.0, -1.0, -1.0); }

    QVector<QPointF> m_points;
    QVector<int> m_starts;
};

namespace
{
bool earlier(const QPointF& point, double x)
{
    return point.x() < x;
}

bool later(double x, const QPointF& point)
{
    return x < point.x();
}

// Appends the point unless it repeats the last one.
void appendPoint(QPolygonF& line, const QPointF& point)
{
    if (line.isEmpty() || line.last() != point)
        line.append(point);
}

// Adds the lines of the points from pBegin to pEnd (one segment, in time order) with only the
// first, lowest, highest and last point of each pixel column, in their own order. Every line of
// a thick solid pen is as wide as the whole column it covers, so the lines through these points
// cover the pixels the lines through every point cover.
void addDecimated(const QPointF* pBegin, const QPointF* pEnd, const QwtScaleMap& xMap,
                  const QwtScaleMap& yMap, bool bAlign, const QRectF& clipRect, QPolygonF& line,
                  QVector<QLineF>& lines)
{
    auto mapped = [&](const QPointF* p)
    {
        const QPointF point(xMap.transform(p->x()), yMap.transform(p->y()));
        // Rounded as Qwt's own curves round when they align to pixels.
        return bAlign ? QPointF(std::floor(point.x() + 0.5), std::floor(point.y() + 0.5)) : point;
    };
    // A column ends at the x of its edge, so a point costs a comparison instead of a mapping.
    const bool bRightwards = !xMap.isInverting();
    const double dHalf = bAlign ? 0.5 : 0;

    line.resize(0);
    const QPointF* p = pBegin;
    while (p != pEnd)
    {
        const double dColumn = std::floor(xMap.transform(p->x()) + dHalf);
        const double dEnd = xMap.invTransform(bRightwards ? dColumn + 1 - dHalf : dColumn - dHalf);
        const QPointF* pFirst = p;
        const QPointF* pLow = p;
        const QPointF* pHigh = p;
        for (++p; p != pEnd && p->x() < dEnd; ++p)
        {
            if (p->y() < pLow->y())
                pLow = p;
            else if (p->y() > pHigh->y())
                pHigh = p;
        }
        appendPoint(line, mapped(pFirst));
        appendPoint(line, mapped(std::min(pLow, pHigh)));
        appendPoint(line, mapped(std::max(pLow, pHigh)));
        appendPoint(line, mapped(p - 1));
    }

    const QPolygonF clipped =
        clipRect.contains(line.boundingRect()) ? line : QwtClipper::clipPolygonF(clipRect, line);
    if (clipped.size() == 1)
        lines.append(QLineF(clipped[0], clipped[0]));
    for (int i = 1; i < clipped.size(); ++i)
        lines.append(QLineF(clipped[i - 1], clipped[i]));
}
} // namespace

CGraphicsSegmentCurve::CGraphicsSegmentCurve(const QString& strTitle) : QwtPlotCurve(strTitle)
{
    setData(new CSeries);
}

CGraphicsSegmentCurve::CSeries& CGraphicsSegmentCurve::series() const
{
    return *static_cast<CSeries*>(const_cast<CGraphicsSegmentCurve*>(this)->data());
}

void CGraphicsSegmentCurve::appendSegment(const QVector<QPointF>& points)
{
    if (points.isEmpty())
        return;
    CSeries& s = series();
    s.m_starts.append(s.m_points.size());
    // An empty series shares the caller's vector instead of copying it.
    s.m_points += points;
    s.changed();
    itemChanged();
}

void CGraphicsSegmentCurve::keepSegments(const QVector<bool>& keep)
{
    CSeries& s = series();
    QVector<QPointF> points;
    QVector<int> starts;
    for (int nPass = 0; nPass < 2; ++nPass)
    {
        // The first pass counts the points to keep, the second copies them.
        int nKept = 0;
        for (int i = 0; i < s.m_starts.size(); ++i)
        {
            if (!keep.value(i))
                continue;
            const QPointF* pBegin = s.m_points.constData() + s.m_starts[i];
            const QPointF* pEnd = s.m_points.constData() + s.segmentEnd(s.m_starts[i]);
            if (nPass == 1)
            {
                starts.append(points.size());
                std::copy(pBegin, pEnd, std::back_inserter(points));
            }
            nKept += int(pEnd - pBegin);
        }
        points.reserve(nKept);
    }
    s.m_points = points;
    s.m_starts = starts;
    s.changed();
    itemChanged();
}

const QVector<int>& CGraphicsSegmentCurve::segmentStarts() const
{
    return series().m_starts;
}

void CGraphicsSegmentCurve::drawSeries(QPainter* pPainter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                                       const QRectF& canvasRect, int, int) const
{
    const CSeries& s = series();
    if (s.m_points.isEmpty())
        return;

    const bool bAlign = QwtPainter::roundingAlignment(pPainter);
    const double dPenWidth = qMax(1.0, pen().widthF());
    const QRectF clipRect = canvasRect.adjusted(-dPenWidth, -dPenWidth, dPenWidth, dPenWidth);
    double dFrom = xMap.invTransform(clipRect.left());
    double dTo = xMap.invTransform(clipRect.right());
    if (dFrom > dTo)
        std::swap(dFrom, dTo);

    pPainter->save();
    pPainter->setPen(pen());
    pPainter->setBrush(Qt::NoBrush);
    QPolygonF line;
    QVector<QLineF> lines;
    QVector<QLineF> dots;
    const QPointF* pPoints = s.m_points.constData();
    for (int i = 0; i < s.m_starts.size(); ++i)
    {
        const QPointF* pBegin = pPoints + s.m_starts[i];
        const QPointF* pEnd = pPoints + (i + 1 < s.m_starts.size() ? s.m_starts[i + 1] : s.m_points.size());
        if (pEnd[-1].x() < dFrom || pBegin->x() > dTo)
            continue;
        if (pEnd - pBegin == 1)
        {
            const QPointF dot(xMap.transform(pBegin->x()), yMap.transform(pBegin->y()));
            dots.append(QLineF(dot, dot));
            continue;
        }
        // One point beyond each edge keeps the lines that leave the canvas.
        const QPointF* pFirst = std::lower_bound(pBegin, pEnd, dFrom, earlier);
        if (pFirst != pBegin)
            --pFirst;
        const QPointF* pLast = std::upper_bound(pFirst, pEnd, dTo, later);
        if (pLast != pEnd)
            ++pLast;
        addDecimated(pFirst, pLast, xMap, yMap, bAlign, clipRect, line, lines);
    }
    // One call for all segments: a polyline per segment costs more than the drawing itself at
    // year scale, and Qt draws separate lines of a solid pen fastest.
    pPainter->drawLines(lines);
    if (!dots.isEmpty())
    {
        // A square twice as wide as the line and more: a line of no length with square caps.
        QPen dotPen = pen();
        dotPen.setWidthF(2 * dPenWidth + 1);
        dotPen.setCapStyle(Qt::SquareCap);
        pPainter->setPen(dotPen);
        pPainter->drawLines(dots);
    }
    pPainter->restore();
}
