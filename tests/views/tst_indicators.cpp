#include "TrafficLightWidget.h"
#include "VokLedWidget.h"

#include <QImage>
#include <QTimer>
#include <QtTest>

namespace
{
// Which lamps of the row are lit, as "0100" for lamp 1.
QString litPattern(const CTrafficLightWidget& light)
{
    QString s;
    for (int i = 0; i < CTrafficLightWidget::LAMP_COUNT; ++i)
        s += light.lamp(i)->isSwitchedOn() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

QImage renderLamp(CVokLedWidget& lamp, QSize size)
{
    lamp.resize(size);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    lamp.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}
} // namespace

class TestIndicators : public QObject
{
    Q_OBJECT

private slots:
    void steadyLamp_data();
    void steadyLamp();
    void blinkRhythm();
    void repeatedRequestChangesNothing();
    void newBlinkRequestRestartsTheFlash();

    void lampPlacedByAlignment_data();
    void lampPlacedByAlignment();
    void darkLampKeepsItsHue();
    void bezelRing();
};

void TestIndicators::steadyLamp_data()
{
    QTest::addColumn<int>("led");
    QTest::addColumn<QString>("lit");
    QTest::newRow("none") << -1 << "0000";
    QTest::newRow("green") << 0 << "1000";
    QTest::newRow("yellow") << 1 << "0100";
    QTest::newRow("orange") << 2 << "0010";
    QTest::newRow("red") << 3 << "0001";
    QTest::newRow("above range") << 4 << "0000";
    QTest::newRow("below range") << -7 << "0000";
}

void TestIndicators::steadyLamp()
{
    QFETCH(int, led);
    QFETCH(QString, lit);

    CTrafficLightWidget light(nullptr);
    QCOMPARE(litPattern(light), QStringLiteral("0000"));
    light.setActiveLed(CTrafficLightWidget::LED_RED); // something else lit before
    light.setActiveLed(static_cast<CTrafficLightWidget::ELed>(led));
    QCOMPARE(litPattern(light), lit);
    QVERIFY(!light.findChild<QTimer*>()->isActive());
}

void TestIndicators::blinkRhythm()
{
    CTrafficLightWidget light(nullptr);
    QTimer* pTimer = light.findChild<QTimer*>();

    light.setActiveLed(CTrafficLightWidget::LED_YELLOW, true);
    QCOMPARE(litPattern(light), QStringLiteral("0100")); // the flash begins at once
    QVERIFY(pTimer->isActive());
    QCOMPARE(pTimer->interval(), 150);

    for (int cycle = 0; cycle < 2; ++cycle)
    {
        light.onTimer();
        QCOMPARE(litPattern(light), QStringLiteral("0000"));
        QCOMPARE(pTimer->interval(), 850);
        light.onTimer();
        QCOMPARE(litPattern(light), QStringLiteral("0100"));
        QCOMPARE(pTimer->interval(), 150);
    }

    // Steady again while the dark phase is pending: lit, and no further step.
    light.onTimer();
    light.setActiveLed(CTrafficLightWidget::LED_YELLOW, false);
    QCOMPARE(litPattern(light), QStringLiteral("0100"));
    QVERIFY(!pTimer->isActive());
    QVERIFY(!light.isBlinking());
}

void TestIndicators::repeatedRequestChangesNothing()
{
    CTrafficLightWidget light(nullptr);
    QTimer* pTimer = light.findChild<QTimer*>();

    light.setActiveLed(CTrafficLightWidget::LED_ORANGE, false);
    light.setActiveLed(CTrafficLightWidget::LED_ORANGE, false);
    QCOMPARE(litPattern(light), QStringLiteral("0010"));
    QVERIFY(!pTimer->isActive());

    // A blinking lamp asked to blink again keeps its rhythm (here: stays in the dark phase).
    light.setActiveLed(CTrafficLightWidget::LED_ORANGE, true);
    light.onTimer();
    light.setActiveLed(CTrafficLightWidget::LED_ORANGE, true);
    QCOMPARE(litPattern(light), QStringLiteral("0000"));
    QCOMPARE(pTimer->interval(), 850);
}

void TestIndicators::newBlinkRequestRestartsTheFlash()
{
    CTrafficLightWidget light(nullptr);
    QTimer* pTimer = light.findChild<QTimer*>();

    light.setActiveLed(CTrafficLightWidget::LED_GREEN, true);
    light.onTimer(); // dark, 850 ms pending
    light.setActiveLed(CTrafficLightWidget::LED_RED, true);
    QCOMPARE(litPattern(light), QStringLiteral("0001"));
    QCOMPARE(pTimer->interval(), 150);
}

void TestIndicators::lampPlacedByAlignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("circleLeft"); // the lamp is a 40 px circle in a 120 x 40 widget
    QTest::newRow("left") << int(Qt::AlignLeft | Qt::AlignVCenter) << 0;
    QTest::newRow("centre") << int(Qt::AlignHCenter | Qt::AlignVCenter) << 40;
    QTest::newRow("right") << int(Qt::AlignRight | Qt::AlignVCenter) << 80;
}

void TestIndicators::lampPlacedByAlignment()
{
    QFETCH(int, alignment);
    QFETCH(int, circleLeft);

    CVokLedWidget lamp(nullptr, QColor(255, 0, 0), true, false);
    lamp.setAlignment(Qt::Alignment(alignment));
    const QImage image = renderLamp(lamp, QSize(120, 40));

    for (int x = 0; x < 120; x += 4)
    {
        const bool bInside = x >= circleLeft + 4 && x <= circleLeft + 36;
        const bool bOutside = x < circleLeft - 1 || x > circleLeft + 41;
        const int alpha = qAlpha(image.pixel(x, 20));
        if (bInside)
            QVERIFY2(alpha == 255, qPrintable(QStringLiteral("x %1 should be lit").arg(x)));
        if (bOutside)
            QVERIFY2(alpha == 0, qPrintable(QStringLiteral("x %1 should be empty").arg(x)));
    }
    // A circle, not an ellipse: the top edge of its middle column is at the widget's top.
    QCOMPARE(qAlpha(image.pixel(circleLeft + 20, 2)), 255);
}

void TestIndicators::darkLampKeepsItsHue()
{
    const QColor green(0, 255, 0);
    CVokLedWidget lit(nullptr, green, true, false);
    CVokLedWidget dark(nullptr, green, false, false);
    const QColor litCentre = renderLamp(lit, QSize(100, 100)).pixelColor(60, 60);
    const QColor darkCentre = renderLamp(dark, QSize(100, 100)).pixelColor(60, 60);

    QVERIFY(qAbs(darkCentre.hue() - 120) <= 2);
    QVERIFY(qAbs(litCentre.hue() - 120) <= 2);
    QVERIFY(darkCentre.value() * 2 < litCentre.value());

    dark.setSwitchedOn(true);
    QCOMPARE(renderLamp(dark, QSize(100, 100)).pixelColor(60, 60), litCentre);
}

void TestIndicators::bezelRing()
{
    CVokLedWidget lamp(nullptr, QColor(255, 0, 0), true, true);
    QCOMPARE(renderLamp(lamp, QSize(100, 100)).pixelColor(4, 50), QColor(24, 24, 24));

    lamp.setBezel(false);
    const QColor noBezel = renderLamp(lamp, QSize(100, 100)).pixelColor(4, 50);
    QVERIFY(noBezel.red() > 100 && noBezel.green() < 50);
}

QTEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
