#include "GraphicsFieldCurves.h"
#include "GraphicsMagnifier.h"
#include "GraphicsPlot.h"

#include <qwt_date.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_scale_div.h>
#include <qwt_text.h>

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

    void furtherSegmentsOfAFieldHaveNoLegendEntry()
    {
        CGraphicsPlot plot;
        plot.addCurve(segment(0, 1000), "TET", "°C", EXTRACT, -1);
        plot.addCurve(segment(5000, 9000), "TET", "°C", EXTRACT, 0);
        plot.addCurve(segment(20000, 30000), "TET", "°C", EXTRACT, -1);
        const QwtPlotItemList curves = plot.itemList(QwtPlotItem::Rtti_PlotCurve);
        QCOMPARE(curves.size(), 3);
        int nInLegend = 0;
        for (const QwtPlotItem* pItem : curves)
        {
            nInLegend += pItem->testItemAttribute(QwtPlotItem::Legend) ? 1 : 0;
            QCOMPARE(pItem->title().text(), QStringLiteral("TET"));
        }
        QCOMPARE(nInLegend, 1);

        const CGraphicsFieldCurves* pField = plot.findFieldCurves("TET");
        QCOMPARE(pField->segmentRanges(-1), (QList<QPair<double, double>>{{0, 1000}, {20000, 30000}}));
        QCOMPARE(pField->segmentRanges(0), (QList<QPair<double, double>>{{5000, 9000}}));
        QVERIFY(pField->segmentRanges(2).isEmpty());
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
