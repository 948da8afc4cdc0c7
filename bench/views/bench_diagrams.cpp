// The diagrams tab on a year of minute rows of one unit, each figure beside a baseline measured
// in the same run: loading a field against a plain forward-only read of the same rows; memory
// per field against the same points in a plain vector; a repaint and a wheel zoom step at
// several zoom levels against a plain curve of one min/max pair per pixel column drawn on a
// plot of the same size; ticking and unticking a log-kind box.
#include "BenchEnvironment.h"
#include "CurvePicking.h"
#include "DataDict.h"
#include "GraphicsCurvePicker.h"
#include "GraphicsFieldCurves.h"
#include "GraphicsPlot.h"
#include "GraphicsSegmentCurve.h"
#include "GraphicsTab.h"
#include "MinuteLogDB.h"
#include "SecLogDB.h"

#include <qwt_date.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_div.h>
#include <qwt_scale_map.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtMath>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>

namespace
{
const char* const CONNECTION = "UIThread";
const qint64 YEAR_START = 1704067200; // 2024-01-01 00:00 UTC
const int MINUTES_PER_YEAR = 525600;
const int SERIAL = 4711;
const QSize TAB_SIZE(1400, 700);

QSqlDatabase db()
{
    return QSqlDatabase::database(CONNECTION);
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

double elapsedMs(const std::function<void()>& fn)
{
    QElapsedTimer timer;
    timer.start();
    fn();
    return timer.nsecsElapsed() / 1e6;
}

double medianMs(int nRounds, const std::function<void()>& fn)
{
    QVector<double> times;
    for (int i = 0; i < nRounds; ++i)
        times.append(elapsedMs(fn));
    return median(times);
}

double statusMiB(const char* pKey)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(pKey))
            return line.mid(qstrlen(pKey)).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Resident memory after handing freed blocks back, and the peak since the last reset.
double residentMiB()
{
    malloc_trim(0);
    return statusMiB("VmRSS:");
}

void resetPeak()
{
    QFile refs("/proc/self/clear_refs");
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// A year of minute rows with the pauses a unit has when it is switched off (two hours every ten
// days), an outdoor temperature that crosses the extract temperature with sensor noise, so the
// recovered power (0 within 2 K) splits into many segments, many of them single points; and a
// year of quarter-hour and day entries.
void fillYear()
{
    QSqlQuery query(db());
    query.prepare(
        "INSERT INTO ValueLogs (LogTimestamp, SNR, TET, TOU, TSU, AFL, SC) VALUES (?, ?, ?, ?, ?, ?, 0)");
    QRandomGenerator random(4711);
    db().transaction();
    for (int i = 0; i < MINUTES_PER_YEAR; ++i)
    {
        if (i % (10 * 1440) < 120)
            continue;
        const double dDay = i / 1440.0;
        const double dExtract = 21 + 0.8 * qSin(dDay * 2 * M_PI) + random.bounded(0.2);
        const double dOutdoor =
            11 - 9 * qCos(dDay / 365 * 2 * M_PI) + 5 * qSin((dDay - 0.3) * 2 * M_PI) + random.bounded(1.5);
        const double dSupply = dOutdoor + 0.8 * (dExtract - dOutdoor);
        for (const QVariant& v :
             QVariantList{YEAR_START + 60 * qint64(i), SERIAL, qRound(dExtract * 10) / 10.0,
                          qRound(dOutdoor * 10) / 10.0, qRound(dSupply * 10) / 10.0, 90})
            query.addBindValue(v);
        query.exec();
    }
    QSqlQuery sec(db());
    sec.prepare("INSERT INTO SecLogs (LogTimestamp, SNR, LTS, TET, TSU) VALUES (?, ?, ?, ?, ?)");
    for (const auto& span : {qMakePair(0, 900), qMakePair(1, 86400)})
        for (qint64 t = YEAR_START + 30; t < YEAR_START + 60LL * MINUTES_PER_YEAR; t += span.second)
        {
            for (const QVariant& v : QVariantList{t, SERIAL, span.first, 21.0, 18.0})
                sec.addBindValue(v);
            sec.exec();
        }
    db().commit();
}

struct STab
{
    CGraphicsTab tab{false};
    CGraphicsPlot* pPlot = tab.findChild<CGraphicsPlot*>("m_pPlot");
    CGraphicsCurvePicker* pPicker = tab.findChild<CGraphicsCurvePicker*>("m_pCurvePicker");

    STab()
    {
        tab.resize(TAB_SIZE);
        tab.show();
        QApplication::processEvents();
    }
    void pick(int nField) { pickCurve(pPicker, nField); }
    QCheckBox* box(const char* pName) { return tab.findChild<QCheckBox*>(QLatin1String(pName)); }
};

void repaint(CGraphicsPlot* pPlot)
{
    pPlot->replot();
    pPlot->repaint();
}

QwtInterval timeAxis(const QwtPlot* pPlot)
{
    return pPlot->axisInterval(QwtPlot::xBottom);
}

// The baseline: per field one plain curve of one (minimum, maximum) pair per pixel column of the
// data, on a plot of the same size with the same axes and pens.
struct SBaseline
{
    CGraphicsPlot plot;

    SBaseline(const CGraphicsPlot* pModel, const QVector<QVector<QPointF>>& fields)
    {
        plot.resize(pModel->size());
        plot.show();
        plot.setAxisScale(QwtPlot::xBottom, timeAxis(pModel).minValue(), timeAxis(pModel).maxValue());
        QApplication::processEvents();
        const int nColumns = plot.canvas()->width();
        const QwtScaleMap map = plot.canvasMap(QwtPlot::xBottom);
        int nAxis = QwtPlot::yLeft;
        for (const QVector<QPointF>& points : fields)
        {
            QVector<double> lo(nColumns, 1e300), hi(nColumns, -1e300);
            for (const QPointF& p : points)
            {
                const int c = qBound(0, int(map.transform(p.x())), nColumns - 1);
                lo[c] = qMin(lo[c], p.y());
                hi[c] = qMax(hi[c], p.y());
            }
            QVector<QPointF> pairs;
            for (int c = 0; c < nColumns; ++c)
                if (lo[c] <= hi[c])
                    pairs << QPointF(map.invTransform(c), lo[c]) << QPointF(map.invTransform(c), hi[c]);
            auto* pCurve = new QwtPlotCurve(QStringLiteral("baseline"));
            pCurve->setSamples(pairs);
            pCurve->setPen(QColor(128, 128, 0), 3, Qt::SolidLine);
            pCurve->setYAxis(nAxis);
            plot.enableAxis(nAxis, true);
            pCurve->attach(&plot);
            nAxis = QwtPlot::yRight;
        }
        repaint(&plot);
    }
};

// The rows of one field as the plot draws them (x in milliseconds), read by a plain forward-only
// query.
QVector<QPointF> plainRead(const QString& strExpression, bool bZeroIsNoValue)
{
    QVector<QPointF> points;
    QSqlQuery query(db());
    query.setForwardOnly(true);
    query.exec(QString("SELECT LogTimestamp, %1 FROM ValueLogs WHERE SNR=%2 ORDER BY LogTimestamp")
                   .arg(strExpression)
                   .arg(SERIAL));
    while (query.next())
    {
        if (query.isNull(1))
            continue;
        const double dValue = query.value(1).toDouble();
        if (!bZeroIsNoValue || dValue != 0)
            points.append(QPointF(query.value(0).toLongLong() * 1000.0, dValue));
    }
    return points;
}

void wheel(QWidget* pCanvas, int nAngle)
{
    const QPoint centre = pCanvas->rect().center();
    QWheelEvent event(centre, pCanvas->mapToGlobal(centre), QPoint(), QPoint(0, nAngle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pCanvas, &event);
}
} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir folder;
    prepareBenchEnvironment(folder);
    qputenv("TZ", "Europe/Berlin");
    QApplication app(argc, argv);
    app.setApplicationName("bench_diagrams");
    {
        CMinuteLogDB minute(CONNECTION);
        CSecLogDB second(CONNECTION);
        if (!minute.createTable() || !second.createTable())
            return 1;
        fillYear();
    }

    // Loading.
    QVector<QPointF> extract;
    const double dPlainRead = medianMs(3, [&] { extract = plainRead("TET", false); });
    QVector<double> loads;
    for (int i = 0; i < 3; ++i)
    {
        STab t;
        loads.append(elapsedMs([&] { t.pick(DDI_ExtractTemp); }));
    }
    std::printf("diagrams, a year of minute rows (%d) of one unit, quarter-hour and day entries:\n",
                int(extract.size()));
    std::printf("  picking a field: %.0f ms (target < 500 ms); plain forward-only read of its rows: %.0f ms "
                "(ratio %.1f)\n",
                median(loads), dPlainRead, median(loads) / dPlainRead);

    // Memory retained per field, and the peak while loading it.
    {
        auto pTab = std::make_unique<STab>();
        const double dBefore = residentMiB();
        resetPeak();
        const double dPeakBefore = statusMiB("VmHWM:");
        pTab->pick(DDI_ExtractTemp);
        const double dPeak = statusMiB("VmHWM:") - dPeakBefore;
        const double dField = residentMiB() - dBefore;
        pTab.reset();
        const double dVectorBefore = residentMiB();
        QVector<QPointF> copy = plainRead("TET", false);
        const double dVector = residentMiB() - dVectorBefore;
        std::printf("  memory per field: %.1f MiB retained (target < 20 MiB), peak while loading +%.1f MiB; "
                    "the same %d points in a plain vector: %.1f MiB (ratio %.1f)\n",
                    dField, dPeak, int(copy.size()), dVector, dField / qMax(dVector, 0.1));
    }

    // Repaint and zoom steps with two fields (one with many short segments).
    STab t;
    t.pick(DDI_ExtractTemp);
    t.pick(DDI_RecoveryWatt);
    t.tab.onFit();
    QApplication::processEvents();
    const QVector<QPointF> recovery =
        plainRead("CASE WHEN abs(TOU - TET) < 2 THEN 0 ELSE round(AFL*(TSU-TOU)/3, 0) END", true);
    SBaseline baseline(t.pPlot, {extract, recovery});
    {
        const CGraphicsSegmentCurve* pCurve = t.pPlot
                                                  ->findFieldCurves(CDataDict::instance()->getText(
                                                      DDI_RecoveryWatt, CDataDict::COL_ABBREVIATION))
                                                  ->curve();
        const QVector<int>& starts = pCurve->segmentStarts();
        int nSingle = 0;
        for (int i = 0; i < starts.size(); ++i)
            nSingle += (i + 1 < starts.size() ? starts[i + 1] : int(pCurve->dataSize())) - starts[i] == 1;
        std::printf("  recovered power: %d points in %d segments, %d of them single points\n",
                    int(pCurve->dataSize()), int(starts.size()), nSingle);
    }
    const double dBaseline = medianMs(15, [&] { repaint(&baseline.plot); });
    std::printf("  repaint of one min/max pair per pixel column (%d columns, two fields): %.1f ms\n",
                baseline.plot.canvas()->width(), dBaseline);

    const double dMid = (YEAR_START + 183 * 86400LL) * 1000.0;
    const struct
    {
        const char* pName;
        double dWindowSecs;
    } levels[] = {{"whole year", 0},
                  {"30 days", 30 * 86400.0},
                  {"1 day", 86400},
                  {"1 hour", 3600},
                  {"10 minutes", 660}};
    for (const auto& level : levels)
    {
        if (level.dWindowSecs > 0)
            t.pPlot->setAxisScale(QwtPlot::xBottom, dMid - level.dWindowSecs * 500,
                                  dMid + level.dWindowSecs * 500);
        else
            t.tab.onFit();
        repaint(t.pPlot);
        const double dRepaint = medianMs(15, [&] { repaint(t.pPlot); });
        int nStep = 0;
        const double dZoom = medianMs(16,
                                      [&]
                                      {
                                          // In and out in turn, so the window stays at its level.
                                          wheel(t.pPlot->canvas(), nStep++ % 2 ? 120 : -120);
                                          t.pPlot->repaint();
                                      });
        std::printf("  %-10s repaint %6.1f ms (%.2f x baseline), zoom step %6.1f ms (%.2f x baseline; target "
                    "<= 4)\n",
                    level.pName, dRepaint, dRepaint / dBaseline, dZoom, dZoom / dBaseline);
    }

    // Unticking and ticking a log-kind box at a zoom of one day.
    t.pPlot->setAxisScale(QwtPlot::xBottom, dMid - 43200e3, dMid + 43200e3);
    repaint(t.pPlot);
    const QwtInterval zoom = timeAxis(t.pPlot);
    const double dUntick = elapsedMs(
        [&]
        {
            t.box("m_pCb1_4HourLog")->click();
            t.pPlot->repaint();
        });
    const bool bKeptUntick = timeAxis(t.pPlot) == zoom;
    const double dTick = elapsedMs(
        [&]
        {
            t.box("m_pCb1_4HourLog")->click();
            t.pPlot->repaint();
        });
    const bool bKeptTick = timeAxis(t.pPlot) == zoom;
    std::printf(
        "  unticking quarter-hour values (two fields): %.0f ms, zoom %s; ticking again: %.0f ms, zoom %s; "
        "plain read of one field's minute rows: %.0f ms\n",
        dUntick, bKeptUntick ? "kept" : "lost", dTick, bKeptTick ? "kept" : "lost", dPlainRead);
    return 0;
}
