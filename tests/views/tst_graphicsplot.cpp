#include "GraphicsFieldCurves.h"
#include "GraphicsMagnifier.h"
#include "GraphicsPlot.h"
#include "GraphicsSegmentCurve.h"

#include <qwt_date.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_scale_div.h>
#include <qwt_scale_map.h>
#include <qwt_text.h>

#include <QPainter>
#include <QRandomGenerator>
#include <QWheelEvent>
#include <QtTest>

namespace
{
double at(const char* pLocalTime)
{
    return QwtDate::toDouble(QDateTime::fromString(QLatin1String(pLocalTime), Qt::ISODate));
}

QString timeOf(double x)
{
    return QwtDate::toDateTime(x, Qt::LocalTime).toString(QStringLiteral("hh:mm:ss.zzz"));
}

QVector<QPointF> segment(double dFrom, double dTo, double dValue = 20)
{
    return {QPointF(dFrom, dValue), QPointF((dFrom + dTo) / 2, dValue + 1), QPointF(dTo, dValue + 2)};
}

QStringList gridTitles(const QwtPlot& plot)
{
    QStringList titles;
    for (const QwtPlotItem* pItem : plot.itemList(QwtPlotItem::Rtti_PlotGrid))
        titles << pItem->title().text();
    titles.sort();
    return titles;
}

const QColor EXTRACT(128, 128, 0);
} // namespace

class TestGraphicsPlot : public QObject
{
    Q_OBJECT

private slots:
    void fieldsOfOneUnitShareAnAxisAndItsGrid()
    {
        CGraphicsPlot plot;
        QVERIFY(plot.addCurve(segment(0, 1000), "TET", "°C", EXTRACT, -1));
        QVERIFY(plot.addCurve(segment(0, 1000), "TOU", "°C", QColor(0, 128, 0), -1));
        QCOMPARE(plot.curveCount(), 2);
        QVERIFY(plot.axisEnabled(QwtPlot::yLeft));
        QVERIFY(!plot.axisEnabled(QwtPlot::yRight));
        QCOMPARE(plot.axisTitle(QwtPlot::yLeft).text(), QStringLiteral("°C"));
        QCOMPARE(gridTitles(plot), QStringList{"Grid AxisL"});

        QVERIFY(plot.removeFieldCurves("TET"));
        QVERIFY(plot.axisEnabled(QwtPlot::yLeft));
        QCOMPARE(gridTitles(plot).size(), 1);
        QVERIFY(plot.removeFieldCurves("TOU"));
        QVERIFY(!plot.axisEnabled(QwtPlot::yLeft));
        QVERIFY(gridTitles(plot).isEmpty());
        QVERIFY(plot.itemList(QwtPlotItem::Rtti_PlotCurve).isEmpty());
        QVERIFY(!plot.removeFieldCurves("TOU"));
    }

    void aSecondUnitTakesTheRightAxisAndAThirdIsRefused()
    {
        CGraphicsPlot plot;
        QVERIFY(plot.addCurve(segment(0, 1000), "TET", "°C", EXTRACT, -1));
        QVERIFY(plot.addCurve(segment(0, 1000), "HET", "%", EXTRACT, -1));
        QCOMPARE(plot.findFieldCurves("HET")->axis(), int(CGraphicsPlot::AXIS_RIGHT));
        QCOMPARE(plot.axisTitle(QwtPlot::yRight).text(), QStringLiteral("%"));
        QCOMPARE(gridTitles(plot), (QStringList{"Grid AxisL", "Grid AxisR"}));
        for (QwtPlotItem* pItem : plot.itemList(QwtPlotItem::Rtti_PlotGrid))
        {
            const auto* pGrid = static_cast<QwtPlotGrid*>(pItem);
            const bool bRight = pGrid->title().text().endsWith('R');
            QCOMPARE(pGrid->yAxis(), bRight ? int(QwtPlot::yRight) : int(QwtPlot::yLeft));
            QCOMPARE(pGrid->majorPen().style(), bRight ? Qt::DashLine : Qt::SolidLine);
            QCOMPARE(pGrid->majorPen().color(), QColor(Qt::white));
            QCOMPARE(pGrid->majorPen().width(), bRight ? 1 : 0);
        }

        QVERIFY(!plot.addCurve(segment(0, 1000), "CO2", "ppm", EXTRACT, -1));
        QCOMPARE(plot.curveCount(), 2);
        QCOMPARE(plot.itemList(QwtPlotItem::Rtti_PlotCurve).size(), 2);

        // Once the left axis is free again, the third unit takes it.
        QVERIFY(plot.removeFieldCurves("TET"));
        QVERIFY(!plot.axisEnabled(QwtPlot::yLeft));
        QVERIFY(plot.addCurve(segment(0, 1000), "CO2", "ppm", EXTRACT, -1));
        QCOMPARE(plot.findFieldCurves("CO2")->axis(), int(CGraphicsPlot::AXIS_LEFT));
        QCOMPARE(plot.axisTitle(QwtPlot::yLeft).text(), QStringLiteral("ppm"));
    }

    void fieldsOfOneGroupGetTheGroupColourItsVariantsThenBlack()
    {
        CGraphicsPlot plot;
        const char* names[] = {"A", "B", "C", "D"};
        for (const char* pName : names)
            QVERIFY(plot.addCurve(segment(0, 1000), pName, "°C", EXTRACT, -1));
        QCOMPARE(plot.findFieldCurves("A")->color().rgb(), EXTRACT.rgb());
        QCOMPARE(plot.findFieldCurves("B")->color().rgb(), QColor(85, 85, 0).rgb());   // darker by 150
        QCOMPARE(plot.findFieldCurves("C")->color().rgb(), QColor(192, 192, 0).rgb()); // lighter by 150
        QCOMPARE(plot.findFieldCurves("D")->color().rgb(), QColor(0, 0, 0).rgb());

        const auto* pCurve = static_cast<QwtPlotCurve*>(plot.itemList(QwtPlotItem::Rtti_PlotCurve).first());
        QCOMPARE(pCurve->pen().width(), 3);
    }

    void aFieldHasOneCurveAndOneLegendEntry()
    {
        CGraphicsPlot plot;
        plot.addCurve(segment(0, 1000), "TET", "°C", EXTRACT, -1);
        plot.addCurve(segment(5000, 9000), "TET", "°C", EXTRACT, 0);
        plot.addCurve(segment(20000, 30000), "TET", "°C", EXTRACT, -1);
        const QwtPlotItemList curves = plot.itemList(QwtPlotItem::Rtti_PlotCurve);
        QCOMPARE(curves.size(), 1);
        QVERIFY(curves.first()->testItemAttribute(QwtPlotItem::Legend));
        QCOMPARE(curves.first()->title().text(), QStringLiteral("TET"));

        const CGraphicsFieldCurves* pField = plot.findFieldCurves("TET");
        QCOMPARE(pField->curve()->segmentStarts(), (QVector<int>{0, 3, 6}));
        QCOMPARE(pField->segmentRanges(-1), (QList<QPair<double, double>>{{0, 1000}, {20000, 30000}}));
        QCOMPARE(pField->segmentRanges(0), (QList<QPair<double, double>>{{5000, 9000}}));
        QVERIFY(pField->segmentRanges(2).isEmpty());
    }

    // Drawn with only the first, lowest, highest and last point of each segment per pixel column,
    // a curve covers the same pixels as the lines through every one of its points, also where
    // it leaves the canvas.
    void aCurveLooksTheSameAsWithEveryPoint_data()
    {
        QTest::addColumn<double>("dFrom");
        QTest::addColumn<double>("dTo");
        QTest::newRow("all points, many per column") << 0.0 << 20000.0;
        QTest::newRow("zoomed in, a few columns per point") << 9000.0 << 9300.0;
        QTest::newRow("points beyond both edges") << 4000.0 << 16000.0;
    }

    void aCurveLooksTheSameAsWithEveryPoint()
    {
        QFETCH(double, dFrom);
        QFETCH(double, dTo);
        QRandomGenerator random(4711);
        QVector<QVector<QPointF>> segments;
        double x = 0;
        while (x < 20000)
        {
            QVector<QPointF> points;
            const int nPoints = 2 + int(random.bounded(400));
            for (int i = 0; i < nPoints; ++i, x += 1 + random.bounded(3))
                points << QPointF(x, 50 + 30 * std::sin(x / 700) + random.bounded(12.0));
            segments << points;
            x += 40;
        }
        CGraphicsSegmentCurve curve("TET");
        for (const QVector<QPointF>& points : segments)
            curve.appendSegment(points);
        curve.setPen(EXTRACT, 3, Qt::SolidLine);

        const QRect canvas(0, 0, 400, 120);
        QwtScaleMap xMap;
        xMap.setPaintInterval(canvas.left(), canvas.right());
        xMap.setScaleInterval(dFrom, dTo);
        QwtScaleMap yMap;
        yMap.setPaintInterval(canvas.bottom(), canvas.top());
        yMap.setScaleInterval(0, 100);
        auto image = [&](const std::function<void(QPainter&)>& draw)
        {
            QImage result(canvas.size(), QImage::Format_RGB32);
            result.fill(Qt::white);
            QPainter painter(&result);
            draw(painter);
            return result;
        };

        const QImage drawn =
            image([&](QPainter& painter) { curve.draw(&painter, xMap, yMap, QRectF(canvas)); });
        const QImage everyPoint = image(
            [&](QPainter& painter)
            {
                painter.setPen(curve.pen());
                QVector<QLineF> lines;
                for (const QVector<QPointF>& points : segments)
                    for (int i = 1; i < points.size(); ++i)
                        lines << QLineF(qRound(xMap.transform(points[i - 1].x())),
                                        qRound(yMap.transform(points[i - 1].y())),
                                        qRound(xMap.transform(points[i].x())),
                                        qRound(yMap.transform(points[i].y())));
                painter.drawLines(lines);
            });
        int nDifferent = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                nDifferent += drawn.pixel(x, y) != everyPoint.pixel(x, y) ? 1 : 0;
        QCOMPARE(nDifferent, 0);
    }

    // A segment of a single value would be a line of no length; it is drawn as a square mark.
    void aSinglePointIsDrawnAsAMark()
    {
        CGraphicsPlot plot;
        plot.resize(400, 200);
        plot.addCurve({{5000, 20}}, "TET", "°C", EXTRACT, -1);
        plot.addCurve(segment(8000, 9000, 10), "TET", "°C", EXTRACT, -1);
        plot.setAxisScale(QwtPlot::xBottom, 0, 10000);
        plot.setAxisScale(QwtPlot::yLeft, 0, 40);
        plot.replot();
        const QImage canvas = plot.canvas()->grab().toImage();
        const QwtScaleMap xMap = plot.canvasMap(QwtPlot::xBottom);
        const QwtScaleMap yMap = plot.canvasMap(QwtPlot::yLeft);
        const QPoint centre(qRound(xMap.transform(5000)), qRound(yMap.transform(20)));
        int nMarked = 0;
        for (int dy = -5; dy <= 5; ++dy)
            for (int dx = -5; dx <= 5; ++dx)
                nMarked += canvas.pixelColor(centre + QPoint(dx, dy)) == EXTRACT ? 1 : 0;
        QCOMPARE(nMarked, 7 * 7);
    }

    void fitAxisCoversTheMinimumRangeOfTheUnit()
    {
        CGraphicsPlot plot;
        plot.setAxisMinRange("°C", -10, 30);
        plot.setAxisMinRange("W", 0, -9999);
        plot.addCurve({{0, 18}, {1000, 22}}, "TET", "°C", EXTRACT, -1);
        plot.addCurve({{0, 150}, {1000, 400}}, "HRW", "W", EXTRACT, -1);
        plot.fitAxis(CGraphicsPlot::AXIS_LEFT);
        plot.fitAxis(CGraphicsPlot::AXIS_RIGHT);
        plot.updateAxes();
        QCOMPARE(plot.axisScaleDiv(QwtPlot::yLeft).lowerBound(), -10.0);
        QCOMPARE(plot.axisScaleDiv(QwtPlot::yLeft).upperBound(), 30.0);
        QCOMPARE(plot.axisScaleDiv(QwtPlot::yRight).lowerBound(), 0.0);
        QVERIFY(plot.axisScaleDiv(QwtPlot::yRight).upperBound() >= 400);

        // Values beyond the range widen the axis.
        plot.addCurve({{0, -25}, {1000, 35}}, "TOU", "°C", QColor(0, 128, 0), -1);
        plot.fitAxis(CGraphicsPlot::AXIS_LEFT);
        plot.updateAxes();
        QVERIFY(plot.axisScaleDiv(QwtPlot::yLeft).lowerBound() <= -25);
        QVERIFY(plot.axisScaleDiv(QwtPlot::yLeft).upperBound() >= 35);
    }

    void setTimeRangePadsAndWidensToTenMinutes_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        // 11:59:36 .. 12:04:26.4 are 290 whole seconds apart: 155 s more on each side.
        QTest::newRow("four minutes") << "2024-03-05T12:00:00"
                                      << "2024-03-05T12:04:00"
                                      << "11:57:01.000"
                                      << "12:07:01.400";
        // The upper pad is a tenth of the distance from the new lower bound.
        QTest::newRow("one hour") << "2024-03-05T12:00:00"
                                  << "2024-03-05T13:00:00"
                                  << "11:54:00.000"
                                  << "13:06:36.000";
        QTest::newRow("one point") << "2024-03-05T12:00:00"
                                   << "2024-03-05T12:00:00"
                                   << "11:55:00.000"
                                   << "12:05:00.000";
    }

    void setTimeRangePadsAndWidensToTenMinutes()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        CGraphicsPlot plot;
        plot.setTimeRange(at(from.toLatin1()), at(to.toLatin1()));
        plot.updateAxes();
        const QwtScaleDiv& div = plot.axisScaleDiv(QwtPlot::xBottom);
        QCOMPARE(timeOf(div.lowerBound()), lower);
        QCOMPARE(timeOf(div.upperBound()), upper);
    }

    void timeSpanAndStartDateMoveTheTimeAxis()
    {
        CGraphicsPlot plot;
        plot.addCurve(segment(at("2024-03-05T12:00:00"), at("2024-03-05T18:00:00")), "TET", "°C", EXTRACT,
                      -1);
        plot.setAxisScale(QwtPlot::xBottom, at("2024-03-05T12:00:00"), at("2024-03-05T14:00:00"));
        plot.updateAxes();
        plot.setTimeSpan(86400);
        plot.updateAxes();
        QCOMPARE(plot.axisScaleDiv(QwtPlot::xBottom).lowerBound(), at("2024-03-05T12:00:00"));
        QCOMPARE(plot.axisScaleDiv(QwtPlot::xBottom).upperBound(), at("2024-03-06T12:00:00"));

        plot.setStartDate(QDateTime::fromString("2024-02-01T00:00:00", Qt::ISODate));
        plot.updateAxes();
        QCOMPARE(plot.axisScaleDiv(QwtPlot::xBottom).lowerBound(), at("2024-02-01T00:00:00"));
        QCOMPARE(plot.axisScaleDiv(QwtPlot::xBottom).upperBound(), at("2024-02-02T00:00:00"));
        // The fields stay drawn after the move.
        QCOMPARE(plot.curveCount(), 1);
    }

    void withoutFieldsTheTimeAxisShowsToday_data()
    {
        QTest::addColumn<bool>("hadField");
        QTest::newRow("new plot") << false;
        QTest::newRow("last field removed, fitted") << true;
    }

    void withoutFieldsTheTimeAxisShowsToday()
    {
        QFETCH(bool, hadField);
        const QDate before = QDate::currentDate();
        CGraphicsPlot plot;
        if (hadField)
        {
            plot.addCurve(segment(at("2024-03-05T12:00:00"), at("2024-03-05T18:00:00")), "TET", "°C", EXTRACT,
                          -1);
            plot.fitTimeAxis();
            plot.removeFieldCurves("TET");
            plot.fitTimeAxis();
        }
        plot.updateAxes();
        const QDate after = QDate::currentDate();
        const QwtScaleDiv& x = plot.axisScaleDiv(QwtPlot::xBottom);
        const QDateTime lower = QwtDate::toDateTime(x.lowerBound(), Qt::LocalTime);
        QVERIFY2(lower.date() == before || lower.date() == after, qPrintable(lower.toString(Qt::ISODate)));
        QCOMPARE(lower.time(), QTime(0, 0));
        QCOMPARE(QwtDate::toDateTime(x.upperBound(), Qt::LocalTime), lower.addDays(1));
    }

    void clearRemovesFieldsGridsAndAxes()
    {
        CGraphicsPlot plot;
        plot.addCurve(segment(0, 1000), "TET", "°C", EXTRACT, -1);
        plot.addCurve(segment(0, 1000), "HET", "%", EXTRACT, -1);
        plot.clear();
        QCOMPARE(plot.curveCount(), 0);
        QVERIFY(plot.findFieldCurves("TET") == nullptr);
        QVERIFY(plot.itemList().isEmpty());
        QVERIFY(!plot.axisEnabled(QwtPlot::yLeft));
        QVERIFY(!plot.axisEnabled(QwtPlot::yRight));
        // A new field starts on the left axis again.
        QVERIFY(plot.addCurve(segment(0, 1000), "CO2", "ppm", EXTRACT, -1));
        QCOMPARE(plot.findFieldCurves("CO2")->axis(), int(CGraphicsPlot::AXIS_LEFT));
    }

    void wheelZoomStopsAtTenMinutes_data()
    {
        QTest::addColumn<int>("nWindowSecs");
        QTest::addColumn<int>("nAngle");
        QTest::addColumn<bool>("bApplied");
        // The wheel factor is 0.75: 700 s would become 525 s.
        QTest::newRow("700 s in") << 700 << -120 << false;
        QTest::newRow("900 s in") << 900 << -120 << true;
        // 7 x 365 days: 220752000 s.
        QTest::newRow("1900 days out") << 1900 * 86400 << 120 << true;
        QTest::newRow("2000 days out") << 2000 * 86400 << 120 << false;
    }

    void wheelZoomStopsAtTenMinutes()
    {
        QFETCH(int, nWindowSecs);
        QFETCH(int, nAngle);
        QFETCH(bool, bApplied);
        CGraphicsPlot plot;
        plot.resize(600, 400);
        const double dLower = at("2020-01-01T00:00:00");
        const double dUpper = dLower + 1000.0 * nWindowSecs;
        plot.setAxisScale(QwtPlot::xBottom, dLower, dUpper);
        plot.replot();

        const QPoint centre = plot.canvas()->rect().center();
        QWheelEvent wheel(centre, plot.canvas()->mapToGlobal(centre), QPoint(), QPoint(0, nAngle),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot.canvas(), &wheel);
        plot.updateAxes();

        const QwtScaleDiv& div = plot.axisScaleDiv(QwtPlot::xBottom);
        const double dWidth = div.upperBound() - div.lowerBound();
        const double dExpected =
            bApplied ? (nAngle < 0 ? 0.75 : 1 / 0.75) * (dUpper - dLower) : dUpper - dLower;
        QVERIFY2(qAbs(dWidth - dExpected) < 1, qPrintable(QString::number(dWidth)));
        QVERIFY(plot.canvas()->findChild<CGraphicsMagnifier*>());
    }
};

QTEST_MAIN(TestGraphicsPlot)
#include "tst_graphicsplot.moc"
