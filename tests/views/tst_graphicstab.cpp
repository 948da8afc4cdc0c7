#include "CurvePicking.h"
#include "DataDict.h"
#include "GraphicsCurvePicker.h"
#include "GraphicsFieldCurves.h"
#include "GraphicsPlot.h"
#include "GraphicsSegmentCurve.h"
#include "GraphicsTab.h"
#include "MinuteLogDB.h"
#include "ModalAnswerer.h"
#include "SecLogDB.h"
#include "ZoneForTest.h"

#include <qwt_date.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_div.h>
#include <qwt_scale_draw.h>
#include <qwt_text.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const int SERIAL = 4711;

qint64 unixTime(const char* pUtc)
{
    return QDateTime::fromString(QLatin1String(pUtc), Qt::ISODate).toSecsSinceEpoch();
}

QString timeOf(double x)
{
    return QwtDate::toDateTime(x, Qt::LocalTime).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString nameOf(int nField)
{
    return CDataDict::instance()->getText(nField, CDataDict::COL_ABBREVIATION);
}

QSqlDatabase plainDb()
{
    if (QSqlDatabase::contains("plain"))
        return QSqlDatabase::database("plain");
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "plain");
    db.setDatabaseName(CDBBase::databasePath());
    if (!db.open())
        qFatal("cannot open the test database");
    return db;
}

// One row with the given columns; the values are bound.
void insert(const char* pTable, const QString& strColumns, const QVariantList& values)
{
    QSqlQuery query(plainDb());
    const QString strMarks = QStringList(QVector<QString>(values.size(), "?").toList()).join(',');
    QVERIFY(
        query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(pTable, strColumns, strMarks)));
    for (const QVariant& value : values)
        query.addBindValue(value);
    QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
}

void minuteRow(const char* pUtc, const QVariant& extractTemp, const QVariant& outdoorTemp = 0)
{
    insert("ValueLogs", "LogTimestamp,SNR,TET,TOU,TSU,AFL",
           {unixTime(pUtc), SERIAL, extractTemp, outdoorTemp, 15, 30});
}

void secRow(const char* pUtc, int nSpan, const QVariant& extractTemp, const QVariant& supplyTemp = QVariant())
{
    insert("SecLogs", "LogTimestamp,SNR,LTS,TET,TSU",
           {unixTime(pUtc), SERIAL, nSpan, extractTemp, supplyTemp});
}

// The points of each segment of the field, one list per segment in order.
QList<QVector<QPointF>> segmentPoints(CGraphicsPlot* pPlot, const QString& strName)
{
    QList<QVector<QPointF>> result;
    const CGraphicsFieldCurves* pField = pPlot->findFieldCurves(strName);
    if (!pField)
        return result;
    const CGraphicsSegmentCurve* pCurve = pField->curve();
    const QVector<int>& starts = pCurve->segmentStarts();
    for (int i = 0; i < starts.size(); ++i)
    {
        const int nEnd = i + 1 < starts.size() ? starts[i + 1] : int(pCurve->dataSize());
        QVector<QPointF> points;
        for (int j = starts[i]; j < nEnd; ++j)
            points << pCurve->sample(j);
        result << points;
    }
    return result;
}

// The same as "time=value" texts.
QList<QStringList> segments(CGraphicsPlot* pPlot, const QString& strName)
{
    QList<QStringList> result;
    for (const QVector<QPointF>& points : segmentPoints(pPlot, strName))
    {
        QStringList texts;
        for (const QPointF& point : points)
            texts << QStringLiteral("%1=%2").arg(timeOf(point.x())).arg(point.y());
        result << texts;
    }
    return result;
}
} // namespace

class TestGraphicsTab : public QObject
{
    Q_OBJECT

private:
    struct STab
    {
        CGraphicsTab tab;
        CGraphicsPlot* pPlot;
        CGraphicsCurvePicker* pPicker;

        explicit STab(bool bCorMisto70 = false) : tab(bCorMisto70)
        {
            pPlot = tab.findChild<CGraphicsPlot*>("m_pPlot");
            pPicker = tab.findChild<CGraphicsCurvePicker*>("m_pCurvePicker");
        }
        QCheckBox* box(const char* pName) { return tab.findChild<QCheckBox*>(QLatin1String(pName)); }
        void only(const char* pName)
        {
            for (const char* pBox : {"m_pCbMinuteLog", "m_pCb1_4HourLog", "m_pCbDayLog", "m_pCbMonthLog"})
                box(pBox)->setChecked(qstrcmp(pBox, pName) == 0);
        }
        void pick(int nField) { pickCurve(pPicker, nField); }
    };

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("Quorvanix");
        QCoreApplication::setApplicationName("tolVane-Vozudoz");
        // The tables as the program creates them at start; the rows come by plain SQL.
        CMinuteLogDB minute("UIThread");
        CSecLogDB sec("UIThread");
        QVERIFY(minute.createTable());
        QVERIFY(sec.createTable());
    }

    void init()
    {
        QSqlQuery query(plainDb());
        QVERIFY(query.exec("DELETE FROM ValueLogs"));
        QVERIFY(query.exec("DELETE FROM SecLogs"));
    }

    void titleAndFormDefaults()
    {
        STab t;
        QCOMPARE(t.tab.getTitle(), QStringLiteral("Diagrams"));
        for (const char* pBox : {"m_pCbMinuteLog", "m_pCb1_4HourLog", "m_pCbDayLog", "m_pCbMonthLog"})
            QVERIFY(t.box(pBox)->isChecked());
        QCOMPARE(t.pPlot->curveCount(), 0);
    }

    // Pauses of more than ten intervals and missing values break a curve; a pause of exactly
    // ten intervals does not.
    void minuteValuesBecomeSegments()
    {
        minuteRow("2024-03-05T12:00:00", 20.5);
        minuteRow("2024-03-05T12:01:00", 21);
        minuteRow("2024-03-05T12:11:00", 0);  // 600 s later: same segment, and 0 is a value
        minuteRow("2024-03-05T12:21:01", 22); // 601 s later: a new one
        minuteRow("2024-03-05T12:22:01", QVariant(QVariant::Double)); // NULL ends it
        minuteRow("2024-03-05T12:23:01", 23);
        STab t;
        t.only("m_pCbMinuteLog");

        t.tab.onCurveAdded(DDI_ExtractTemp);

        QCOMPARE(segments(t.pPlot, nameOf(DDI_ExtractTemp)),
                 (QList<QStringList>{
                     {"2024-03-05 12:00:00=20.5", "2024-03-05 12:01:00=21", "2024-03-05 12:11:00=0"},
                     {"2024-03-05 12:21:01=22"},
                     {"2024-03-05 12:23:01=23"}}));
        // Unit text on the value axis; the temperature axis covers at least -10..30.
        QCOMPARE(t.pPlot->axisTitle(QwtPlot::yLeft).text(), QStringLiteral("°C"));
        t.pPlot->updateAxes();
        QCOMPARE(t.pPlot->axisScaleDiv(QwtPlot::yLeft).lowerBound(), -10.0);
        QCOMPARE(t.pPlot->axisScaleDiv(QwtPlot::yLeft).upperBound(), 30.0);
        // The first field opens on its last minute segment, padded to ten minutes.
        QCOMPARE(timeOf(t.pPlot->axisScaleDiv(QwtPlot::xBottom).lowerBound()),
                 QStringLiteral("2024-03-05 12:18:01"));
        QCOMPARE(timeOf(t.pPlot->axisScaleDiv(QwtPlot::xBottom).upperBound()),
                 QStringLiteral("2024-03-05 12:28:01"));
    }

    // The frame names the unit whose rows are drawn; until it does, every unit's rows are.
    void drawsTheUnitTheFrameNames()
    {
        minuteRow("2024-03-05T12:00:00", 20);
        insert("ValueLogs", "LogTimestamp,SNR,TET", {unixTime("2024-03-05T12:01:00"), SERIAL + 1, 21});
        STab t;
        t.only("m_pCbMinuteLog");
        t.pick(DDI_ExtractTemp);
        QCOMPARE(segments(t.pPlot, nameOf(DDI_ExtractTemp)),
                 (QList<QStringList>{{"2024-03-05 12:00:00=20", "2024-03-05 12:01:00=21"}}));

        t.tab.setSerialNrSource([] { return qint64(SERIAL) + 1; });
        t.tab.reload();
        QCOMPARE(segments(t.pPlot, nameOf(DDI_ExtractTemp)),
                 (QList<QStringList>{{"2024-03-05 12:01:00=21"}}));
    }

    void zeroIsNoValueOnlyForTheRecoveryFields()
    {
        minuteRow("2024-03-05T12:00:00", 20);
        minuteRow("2024-03-05T12:01:00", 0); // outdoor = extract: no recovered power
        minuteRow("2024-03-05T12:02:00", 20);
        STab t;
        t.only("m_pCbMinuteLog");
        t.tab.onCurveAdded(DDI_RecoveryWatt);
        t.tab.onCurveAdded(DDI_ExtractTemp);
        QCOMPARE(segments(t.pPlot, nameOf(DDI_RecoveryWatt)),
                 (QList<QStringList>{{"2024-03-05 12:00:00=150"}, {"2024-03-05 12:02:00=150"}}));
        QCOMPARE(segments(t.pPlot, nameOf(DDI_ExtractTemp)).size(), 1);
        QCOMPARE(t.pPlot->axisTitle(QwtPlot::yLeft).text(), QStringLiteral("W"));
        QCOMPARE(t.pPlot->axisTitle(QwtPlot::yRight).text(), QStringLiteral("°C"));
    }

    void secondLogSpansAreTaggedAndTimedLocally()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
        secRow("2024-03-05T12:00:00Z", 0, 19);
        secRow("2024-03-05T12:15:00Z", 0, 19.5);
        secRow("2024-03-05T14:45:00Z", 0, 20); // 9000 s after the last: same segment
        secRow("2024-03-01T00:00:00Z", 1, 18);
        secRow("2024-03-05T00:00:00Z", 1, 18.5);
        secRow("2024-01-01T00:00:00Z", 2, 17);
        STab t;
        t.tab.onCurveAdded(DDI_ExtractTemp);
        qputenv("TZ", "UTC");
        tzset();

        const CGraphicsFieldCurves* pField = t.pPlot->findFieldCurves(nameOf(DDI_ExtractTemp));
        QVERIFY(pField);
        QVERIFY(pField->segmentRanges(-1).isEmpty());
        QCOMPARE(pField->segmentRanges(0).size(), 1);
        QCOMPARE(pField->segmentRanges(1).size(), 1);
        QCOMPARE(pField->segmentRanges(2).size(), 1);
        // The stored Unix seconds are drawn at their local time (13:00 in Berlin for 12:00 UTC).
        QCOMPARE(pField->segmentRanges(0).first().first,
                 double(QDateTime::fromString("2024-03-05T12:00:00Z", Qt::ISODate).toMSecsSinceEpoch()));
    }

    // The hour from 02:00 to 03:00 runs twice when the clocks go back: the curve goes on in
    // stored time, while the axis keeps showing local time.
    void theCurveRunsOnOverTheAutumnClockChange()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
        const qint64 nStart = unixTime("2024-10-26T22:00:00Z"); // 00:00 local time on 27 Oct
        for (int i = 0; i <= 300; ++i)
            insert("ValueLogs", "LogTimestamp,SNR,TET", {nStart + 60 * i, SERIAL, 20 + i / 100.0});
        STab t;
        t.only("m_pCbMinuteLog");
        t.tab.onCurveAdded(DDI_ExtractTemp);
        const QwtScaleDraw* pTimeDraw = t.pPlot->axisScaleDraw(QwtPlot::xBottom);
        const QString strFirstLabel = pTimeDraw->label(1000.0 * nStart).text();
        const QString strLastLabel = pTimeDraw->label(1000.0 * (nStart + 300 * 60)).text();
        qputenv("TZ", "UTC");
        tzset();

        const QList<QVector<QPointF>> drawn = segmentPoints(t.pPlot, nameOf(DDI_ExtractTemp));
        QCOMPARE(drawn.size(), 1);
        QCOMPARE(drawn[0].size(), 301);
        for (int i = 0; i <= 300; ++i)
            QCOMPARE(drawn[0][i].x(), 1000.0 * (nStart + 60 * i));
        QCOMPARE(strFirstLabel, QStringLiteral("00:00  27.10.24"));
        QCOMPARE(strLastLabel, QStringLiteral("04:00  27.10.24"));
    }

    // Ticking or unticking a box draws or takes away that log kind only: the values already drawn
    // are not read again, and the time axis stays where the user put it.
    void aLogKindBoxKeepsTheOtherKindsAndTheTimeAxis()
    {
        minuteRow("2024-03-05T12:00:00", 20);
        minuteRow("2024-03-05T12:01:00", 21);
        secRow("2024-03-05T11:00:00", 0, 19);
        secRow("2024-03-05T11:15:00", 0, 18.5);
        secRow("2024-03-04T00:00:00", 1, 17);
        STab t;
        t.pick(DDI_ExtractTemp);
        t.pick(DDI_ExtractHum);
        auto ranges = [&](int nLogKind)
        {
            const CGraphicsFieldCurves* pField = t.pPlot->findFieldCurves(nameOf(DDI_ExtractTemp));
            return pField ? pField->segmentRanges(nLogKind).size() : -1;
        };
        QCOMPARE(ranges(-1), 1);
        QCOMPARE(ranges(0), 1);
        QCOMPARE(ranges(1), 1);
        const double dLower = QwtDate::toDouble(QDateTime::fromString("2024-03-05T11:30:00", Qt::ISODate));
        t.pPlot->setAxisScale(QwtPlot::xBottom, dLower, dLower + 3600e3);
        t.pPlot->replot();

        // Rows that appear or go now show whether the drawn values are read again.
        QSqlQuery query(plainDb());
        QVERIFY(query.exec("DELETE FROM ValueLogs"));
        secRow("2024-03-05T11:30:00", 0, 18);

        t.box("m_pCbDayLog")->click();
        QCOMPARE(ranges(-1), 1);
        QCOMPARE(ranges(0), 1);
        QCOMPARE(ranges(1), 0);
        QCOMPARE(segments(t.pPlot, nameOf(DDI_ExtractTemp)).value(1).size(), 2);

        t.box("m_pCbDayLog")->click();
        QCOMPARE(ranges(1), 1);
        QCOMPARE(ranges(-1), 1);
        QCOMPARE(segments(t.pPlot, nameOf(DDI_ExtractTemp)).value(1).size(), 2);
        t.pPlot->updateAxes();
        QCOMPARE(t.pPlot->axisScaleDiv(QwtPlot::xBottom).lowerBound(), dLower);
        QCOMPARE(t.pPlot->axisScaleDiv(QwtPlot::xBottom).upperBound(), dLower + 3600e3);

        // A box ticked again reads its own rows as they are now.
        t.box("m_pCb1_4HourLog")->click();
        QCOMPARE(ranges(0), 0);
        t.box("m_pCb1_4HourLog")->click();
        QCOMPARE(ranges(0), 1);
        QCOMPARE(segments(t.pPlot, nameOf(DDI_ExtractTemp)).last().size(), 3);
        QCOMPARE(t.pPlot->axisScaleDiv(QwtPlot::xBottom).lowerBound(), dLower);
    }

    // A minute of values is shown in a window wide enough for labels of whole minutes.
    void aMinuteOfValuesGetsDistinctTimeLabels()
    {
        minuteRow("2024-03-05T12:00:00", 20);
        minuteRow("2024-03-05T12:01:00", 21);
        STab t;
        t.tab.resize(965, 380);
        t.pick(DDI_ExtractTemp);
        t.pPlot->updateAxes();
        const QList<double> ticks = t.pPlot->axisScaleDiv(QwtPlot::xBottom).ticks(QwtScaleDiv::MajorTick);
        QVERIFY(ticks.size() >= 2);
        QStringList labels;
        for (double x : ticks)
            labels << t.pPlot->axisScaleDraw(QwtPlot::xBottom)->label(x).text();
        QCOMPARE(labels.removeDuplicates(), 0);
        // Both values stay on show.
        const QwtScaleDiv& x = t.pPlot->axisScaleDiv(QwtPlot::xBottom);
        QVERIFY(x.contains(QwtDate::toDouble(QDateTime::fromString("2024-03-05T12:00:00", Qt::ISODate))));
        QVERIFY(x.contains(QwtDate::toDouble(QDateTime::fromString("2024-03-05T12:01:00", Qt::ISODate))));
    }

    void virtualSupplyTemperatureUsesTheStoredOneOfTheSecondLogs()
    {
        insert("ValueLogs", "LogTimestamp,SNR,TSC", {unixTime("2024-03-05T12:00:00"), SERIAL, 16.5});
        secRow("2024-03-05T12:00:00", 0, 20, 17.25);
        STab t;
        t.only("m_pCb1_4HourLog");
        t.box("m_pCbMinuteLog")->setChecked(true);
        t.tab.onCurveAdded(DDI_SupplyTempVirt);
        const CGraphicsFieldCurves* pField = t.pPlot->findFieldCurves(nameOf(DDI_SupplyTempVirt));
        QVERIFY(pField);
        QCOMPARE(segments(t.pPlot, nameOf(DDI_SupplyTempVirt)),
                 (QList<QStringList>{{"2024-03-05 12:00:00=16.5"}, {"2024-03-05 12:00:00=17.25"}}));
        QCOMPARE(pField->segmentRanges(0).size(), 1);
        QCOMPARE(pField->color().rgb(), CDataDict::getGroupColor(CDataDict::GRP_SUPPLY).rgb());
    }

    void pickingFitsTheTimeAxisToAllPoints()
    {
        minuteRow("2024-03-05T12:00:00", 20);
        minuteRow("2024-03-05T12:01:00", 21);
        secRow("2024-02-01T00:00:00", 1, 18);
        STab t;
        t.pick(DDI_ExtractTemp);
        QCOMPARE(t.pPicker->selectedFields(), QList<int>{DDI_ExtractTemp});
        t.pPlot->updateAxes();
        const QwtScaleDiv& x = t.pPlot->axisScaleDiv(QwtPlot::xBottom);
        QVERIFY(x.lowerBound() <=
                QwtDate::toDouble(QDateTime::fromString("2024-02-01T00:00:00", Qt::ISODate)));
        QVERIFY(x.upperBound() >=
                QwtDate::toDouble(QDateTime::fromString("2024-03-05T12:01:00", Qt::ISODate)));

        // Removing the field in the picker takes its curves and axis away.
        auto* pPicked = t.pPicker->findChild<QTableWidget*>("m_pTablePicked");
        pPicked->setCurrentCell(0, 0);
        t.pPicker->onRemove();
        QCOMPARE(t.pPlot->curveCount(), 0);
        QVERIFY(t.pPlot->itemList(QwtPlotItem::Rtti_PlotCurve).isEmpty());
        QVERIFY(!t.pPlot->axisEnabled(QwtPlot::yLeft));
    }

    void theLastTickedBoxCannotBeUnticked()
    {
        minuteRow("2024-03-05T12:00:00", 20);
        secRow("2024-03-05T12:00:00", 0, 19);
        STab t;
        t.pick(DDI_ExtractTemp);
        QCOMPARE(segments(t.pPlot, nameOf(DDI_ExtractTemp)).size(), 2);

        t.box("m_pCbMonthLog")->click();
        t.box("m_pCbDayLog")->click();
        t.box("m_pCb1_4HourLog")->click();
        QVERIFY(!t.box("m_pCbMinuteLog")->isEnabled());
        QVERIFY(t.box("m_pCbDayLog")->isEnabled());
        // The selected field is left with its minute values only.
        QCOMPARE(segments(t.pPlot, nameOf(DDI_ExtractTemp)).size(), 1);

        t.box("m_pCbDayLog")->click();
        for (const char* pBox : {"m_pCbMinuteLog", "m_pCb1_4HourLog", "m_pCbDayLog", "m_pCbMonthLog"})
            QVERIFY(t.box(pBox)->isEnabled());
    }

    void timeSpanIndexSetsTheWindow_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("day") << 0 << qint64(86400);
        QTest::newRow("week") << 1 << qint64(604800);
        QTest::newRow("28 days") << 2 << qint64(2419200);
        QTest::newRow("336 days") << 3 << qint64(29030400);
        QTest::newRow("other") << 7 << qint64(1);
    }

    void timeSpanIndexSetsTheWindow()
    {
        QFETCH(int, index);
        QFETCH(qint64, seconds);
        STab t;
        const double dStart = QwtDate::toDouble(QDateTime::fromString("2024-03-05T12:00:00", Qt::ISODate));
        t.pPlot->setAxisScale(QwtPlot::xBottom, dStart, dStart + 5000);
        t.pPlot->updateAxes();
        t.tab.onTimeSpanChanged(index);
        t.pPlot->updateAxes();
        const QwtScaleDiv& x = t.pPlot->axisScaleDiv(QwtPlot::xBottom);
        QCOMPARE(x.lowerBound(), dStart);
        QCOMPARE(x.upperBound() - x.lowerBound(), 1000.0 * seconds);
    }

    // A picked day starts at its first instant: where midnight is skipped, the moment the clocks
    // jump (midnight built from the date would be 23:00 of the day before); where it repeats, its
    // first pass (the hour before the second pass belongs to this day, not to the day before).
    void pickedDayStartsAtItsFirstInstant_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("start");
        QTest::newRow("UTC") << QByteArray("UTC") << QDate(2026, 11, 1) << "2026-11-01T00:00:00Z";
        QTest::newRow("Havana, midnight skipped")
            << QByteArray("America/Havana") << QDate(2026, 3, 8) << "2026-03-08T05:00:00Z";
        QTest::newRow("Santiago, midnight skipped")
            << QByteArray("America/Santiago") << QDate(2026, 9, 6) << "2026-09-06T04:00:00Z";
        QTest::newRow("Havana, midnight repeated")
            << QByteArray("America/Havana") << QDate(2026, 11, 1) << "2026-11-01T04:00:00Z";
        QTest::newRow("Azores, midnight repeated")
            << QByteArray("Atlantic/Azores") << QDate(2026, 10, 25) << "2026-10-25T00:00:00Z";
    }

    void pickedDayStartsAtItsFirstInstant()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, date);
        QFETCH(QString, start);
        const CZoneForTest zoneForTest(zone);
        STab t;
        CModalAnswerer answerer(
            [date](QWidget* pWidget)
            {
                auto* pCalendar = pWidget->findChild<QCalendarWidget*>();
                if (!pCalendar)
                    return false;
                pCalendar->setSelectedDate(date);
                QTimer::singleShot(0, pWidget, [pWidget] { static_cast<QDialog*>(pWidget)->accept(); });
                return true;
            });
        t.tab.onPickDate();
        QCOMPARE(answerer.handled(), 1);
        QCOMPARE(t.pPlot->axisScaleDiv(QwtPlot::xBottom).lowerBound(),
                 double(QDateTime::fromString(start, Qt::ISODate).toMSecsSinceEpoch()));
    }

    void savesAndCopiesThePicture()
    {
        minuteRow("2024-03-05T12:00:00", 20.5);
        minuteRow("2024-03-05T12:05:00", 22);
        minuteRow("2024-03-05T12:10:00", 21);
        secRow("2024-03-05T11:00:00", 0, 19);
        secRow("2024-03-05T11:15:00", 0, 18.5);
        STab t;
        t.tab.resize(965, 380);
        t.tab.show();
        t.pick(DDI_ExtractTemp);
        t.pick(DDI_ExtractHum);

        QTemporaryDir dir;
        const QString strPath = dir.filePath("diagram.png");
        CModalAnswerer answer(
            [&](QWidget* pWidget)
            {
                auto* pDialog = qobject_cast<QFileDialog*>(pWidget);
                if (!pDialog)
                    return false;
                pDialog->selectFile(strPath);
                QTimer::singleShot(0, pDialog, &QDialog::accept);
                return true;
            });
        // the picture is the plot as shown when the export is asked for
        QVERIFY(QTest::qWaitForWindowExposed(&t.tab));
        const QSize shown = t.pPlot->size();
        t.tab.onExportGraphics();
        QCOMPARE(answer.handled(), 1);

        QImage saved(strPath, "PNG");
        QVERIFY(!saved.isNull());
        QCOMPARE(saved.size(), shown + QSize(20, 30));
        // The gradient frame around the rendered plot.
        QCOMPARE(saved.pixelColor(0, 0).rgb(), QColor(1, 119, 190).rgb());
        if (!qEnvironmentVariableIsEmpty("TOLVANE_KEEP_DIAGRAM"))
            QFile::copy(strPath, qEnvironmentVariable("TOLVANE_KEEP_DIAGRAM"));

        QApplication::clipboard()->clear();
        t.tab.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&t.tab));
        QTest::keyClick(&t.tab, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->pixmap().size(), saved.size());
    }

    void aPictureThatCannotBeSavedIsReported_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("a new file") << false;
        QTest::newRow("a file to overwrite") << true;
    }

    // A format no writer knows: the user is told, and a file that was there keeps its bytes.
    void aPictureThatCannotBeSavedIsReported()
    {
        QFETCH(bool, existing);
        STab t;
        QTemporaryDir dir;
        const QString strPath = dir.filePath("diagram.unknownformat");
        QFile old(strPath);
        QVERIFY(!existing || (old.open(QIODevice::WriteOnly) && old.write("old picture") == 11));
        old.close();
        CModalAnswerer answer(
            [&](QWidget* pWidget)
            {
                if (auto* pDialog = qobject_cast<QFileDialog*>(pWidget))
                {
                    pDialog->selectNameFilter("Any files (*.*)");
                    pDialog->selectFile(strPath);
                    QTimer::singleShot(0, pDialog, &QDialog::accept);
                    return true;
                }
                return false;
            });
        CBoxAnswerer boxes(QMessageBox::Yes); // to the question whether to overwrite
        t.tab.onExportGraphics();
        QCOMPARE(boxes.seen.size(), existing ? 2 : 1);
        QCOMPARE(boxes.seen.last().icon, QMessageBox::Warning);
        QCOMPARE(boxes.seen.last().text,
                 QStringLiteral("Unable to export diagram into file '%1'.").arg(strPath));
        QVERIFY(old.open(QIODevice::ReadOnly) || !existing);
        QCOMPARE(old.readAll(), QByteArray(existing ? "old picture" : ""));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 existing ? QStringList{"diagram.unknownformat"} : QStringList());
    }
};

QTEST_MAIN(TestGraphicsTab)
#include "tst_graphicstab.moc"
