#ifndef GRAPHICSSEGMENTCURVE_H
#define GRAPHICSSEGMENTCURVE_H

#include <qwt_plot_curve.h>

#include <QPointF>
#include <QVector>

// The drawn line of one field: the points of all its segments in one series, a break between
// two segments. Per pixel column it draws only the first, lowest, highest and last point of
// each segment: the same picture as every point, at a cost bounded by the canvas width and the
// number of segments, so a year of minute rows redraws as fast as a few hundred points. A
// segment of a single point is drawn as a dot, since a line through one point shows nothing.
class CGraphicsSegmentCurve : public QwtPlotCurve
{
public:
    explicit CGraphicsSegmentCurve(const QString& strTitle);

    // The points must come in ascending time.
    void appendSegment(const QVector<QPointF>& points);
    // Keeps the segments whose flag is set, in their order.
    void keepSegments(const QVector<bool>& keep);
    // Index of the first point of each segment.
    const QVector<int>& segmentStarts() const;

protected:
    void drawSeries(QPainter* pPainter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                    const QRectF& canvasRect, int from, int to) const override;

private:
    class CSeries;
    CSeries& series() const;
};

#endif // GRAPHICSSEGMENTCURVE_H
