#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointF>
#include <QString>
#include <QVector>

class CGraphicsPlot;
class CGraphicsSegmentCurve;

// The curve segments of one data field in the diagram. A field is broken into segments where
// its log has gaps; all segments share the field's name, value axis and colour, and are drawn
// by one curve, so the field has one legend entry.
class CGraphicsFieldCurves : public QObject
{
    Q_OBJECT

public:
    // Attaches the field's curve to the plot.
    CGraphicsFieldCurves(const QString& strName, int nAxis, const QColor& color, CGraphicsPlot* parent);
    // Detaches and deletes the curve.
    ~CGraphicsFieldCurves() override;

    int axis() const { return m_nAxis; }
    QColor color() const { return m_color; }
    CGraphicsPlot* plot() const;
    const CGraphicsSegmentCurve* curve() const { return m_pCurve; }

    void addSegment(const QVector<QPointF>& points, int nLogKind);
    // Removes the segments of one log kind.
    void removeSegments(int nLogKind);
    // (first x, last x) of the segments of one log kind, in the order they were added.
    QList<QPair<double, double>> segmentRanges(int nLogKind) const;

private:
    struct SSegment
    {
        double dFirstX;
        double dLastX;
        int nLogKind;
    };

    QList<SSegment> m_segments;
    QString m_strName;
    int m_nAxis;
    QColor m_color;
    CGraphicsSegmentCurve* m_pCurve;
};
