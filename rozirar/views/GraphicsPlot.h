#pragma once

#include <qwt_interval.h>
#include <qwt_plot.h>

#include <QColor>
#include <QDateTime>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QVector>

#include <functional>

class CGraphicsFieldCurves;

// The diagram: a local-time bottom axis and up to two value axes (left, right), one per unit,
// each with its own grid. Fields are addressed by name, value axes by their unit text.
class CGraphicsPlot : public QwtPlot
{
    Q_OBJECT

public:
    // Value axes; they coincide with QwtPlot::yLeft and QwtPlot::yRight.
    enum EValueAxis
    {
        AXIS_LEFT = 0,
        AXIS_RIGHT = 1,
        NO_AXIS = 4
    };

    explicit CGraphicsPlot(QWidget* parent = nullptr);
    ~CGraphicsPlot() override;

    // A range the value axis of that unit always covers when it is fitted.
    void setAxisMinRange(const QString& strUnit, double dMin, double dMax);
    // One segment of a field. False when the unit would need a third value axis.
    bool addCurve(const QVector<QPointF>& points, const QString& strName, const QString& strUnit,
                  const QColor& baseColor, int nLogKind);
    // Removes every segment of the field and the value axes no field uses any more.
    bool removeFieldCurves(const QString& strName);
    CGraphicsFieldCurves* findFieldCurves(const QString& strName) const;
    // Removes the segments of one log kind from every field; the fields keep their axes and
    // colours. No replot.
    void removeSegments(int nLogKind);
    // Number of fields in the plot.
    int curveCount() const;
    void fitAxis(int nAxis);
    // Shows the span with a tenth padded on each side, at least 10 minutes wide. No replot.
    void setTimeRange(double dFrom, double dTo);
    // The time axis on automatic scaling over all points, widened to 10 minutes when they span
    // less (a narrower axis would repeat its minute labels); today without fields. No replot.
    void fitTimeAxis();
    void setTimeSpan(int nSeconds);
    void setStartDate(const QDateTime& start);
    // Where the date of today comes from (the local date by default); with no field drawn the time
    // axis shows that day at once.
    void setToday(std::function<QDate()> today);
    // Removes every field, grid and value axis.
    void clear();

private:
    int findAxisForUnit(const QString& strUnit) const;
    int addAxis(const QString& strUnit);
    void removeAxis(int nAxis);
    QColor pickColor(const QColor& base) const;
    // Sets the time axis, widened evenly to 10 minutes when it would be narrower.
    void setTimeScale(double dLower, double dUpper);
    // The time axis over the local day of today.
    void showToday();

    QMap<QString, CGraphicsFieldCurves*> m_fieldCurves;
    QMap<QString, QwtInterval> m_axisMinRanges;
    std::function<QDate()> m_today;
};
