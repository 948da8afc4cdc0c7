#include "FanValues.h"
#include "FanValues70.h"
#include "MyGraphicsView.h"
#include "OverviewScene.h"
#include "OverviewScene70.h"
#include "PollingTypes.h"
#include "TrafficLightWidget.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QLabel>
#include <QPainter>
#include <QStandardPaths>
#include <QtTest>

namespace
{
const CTrafficLightWidget* lampOf(const QGraphicsScene& scene, const char* name)
{
    for (QGraphicsItem* pItem : scene.items())
        if (auto pProxy = qgraphicsitem_cast<QGraphicsProxyWidget*>(pItem))
            if (pProxy->widget()->objectName() == QLatin1String(name))
                return qobject_cast<const CTrafficLightWidget*>(pProxy->widget());
    return nullptr;
}

// The lamp lit or flashing, -1 for none.
int ledOf(const QGraphicsScene& scene, const char* name)
{
    const CTrafficLightWidget* pLamp = lampOf(scene, name);
    if (!pLamp)
        return -100;
    const int led = pLamp->activeLed();
    return led >= 0 && led < CTrafficLightWidget::LAMP_COUNT ? led : -1;
}

bool isShown(const QLabel* pLabel)
{
    return pLabel->graphicsProxyWidget()->isVisible();
}

// A tolVane100 in heating: 0 degC outside, 20 degC inside, 18 degC supplied at 30 m3/h.
CFanValues heatingValues()
{
    CFanValues v;
    v.OutdoorTemp = 0.0;
    v.OutdoorHum = 80;
    v.ExtractTemp = 20.0;
    v.ExtractHum = 60;
    v.ExhaustTemp = 2.5;
    v.SupplyTempVirt = 18.0;
    v.ExtractAirFlow = 30;
    v.AirFlowSetpoint = 30;
    v.CO2 = 800;
    v.FanExtractRPM = 1100;
    v.FanSupplyRPM = 1050;
    return v;
}

// The texts of the labels that show readings, in label order.
template <class TScene> QStringList valueTexts(const TScene& scene)
{
    static const QList<int> s_100 = {1, 4, 7, 10, 16, 18, 22, 25, 28, 30, 33, 41, 44};
    static const QList<int> s_plus = {3, 6, 9, 11, 14, 20, 23, 26, 28};
    QStringList texts;
    for (int i : scene.labels().size() == COverviewScene::LABEL_COUNT ? s_100 : s_plus)
        texts << scene.labels()[i]->text();
    return texts;
}

QImage renderScene(QGraphicsScene& scene)
{
    QImage image(900, 500, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter);
    return image;
}

void saveForInspection(const QImage& image, const QString& strName)
{
    // The test's own cache folder (a clean one per test run by CTest), for a look by eye.
    const QString strDir = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    QVERIFY(QDir().mkpath(strDir));
    const QString strPath = strDir + QLatin1Char('/') + strName;
    QVERIFY(image.save(strPath));
    qInfo("scene picture: %s", qPrintable(strPath));
}
} // namespace

class TestOverviewScene : public QObject
{
    Q_OBJECT

private slots:
    void init() { g_bWifiAvailable = false; }

    void builtAsLaidOut();
    void valuesReachTheirLabels();
    void absoluteHumidityTruncatesTheTemperature();
    void middleBlock_data();
    void middleBlock();
    void coolingHidesThePercentage();

    void filterLampLevel_data();
    void filterLampLevel();
    void filterLampOnlyForKnownSerialRange_data();
    void filterLampOnlyForKnownSerialRange();
    void filterLampBlinksAfterChanges();
    void co2Lamp_data();
    void co2Lamp();
    void humidityLampOnBothTypes_data();
    void humidityLampOnBothTypes();
    void wifiLamp_data();
    void wifiLamp();
    void portChangeDarkensAndRestartsTheFilterCount();
    void readingsOnlyFromTheUnit_data();
    void readingsOnlyFromTheUnit();

    void plusSceneValues();
    void plusAirQualityLamp_data();
    void plusAirQualityLamp();
    void plusPortChange();

    void viewShowsTheWholeScene();
    void picturesRender();
};

void TestOverviewScene::builtAsLaidOut()
{
    COverviewScene scene(nullptr);
    QCOMPARE(scene.sceneRect(), QRectF(0, 0, 1800, 1000));
    QCOMPARE(scene.getTitle(), QStringLiteral("Overview"));
    QCOMPARE(static_cast<CTabBase&>(scene).getTitle(), QStringLiteral("Overview"));

    const QVector<QLabel*>& labels = scene.labels();
    QCOMPARE(labels.size(), 48);
    QCOMPARE(labels[0]->text(), QStringLiteral("Outdoor"));
    QCOMPARE(labels[2]->text(), QString::fromUtf8("°C"));
    QCOMPARE(labels[3]->text(), QStringLiteral("(TOU)"));
    QCOMPARE(labels[14]->text(), QStringLiteral("Heat"));
    QCOMPARE(labels[16]->text(), QStringLiteral("-"));
    QCOMPARE(labels[24]->text(), QStringLiteral("(TEX)"));
    QCOMPARE(labels[31]->text(), QStringLiteral("ppm"));
    QCOMPARE(labels[45]->text(), QString::fromUtf8("m³/h"));
    QCOMPARE(labels[47]->text(), QStringLiteral("Filter"));

    // Rectangles of the table; an abbreviation sits 4 units lower than its row.
    QCOMPARE(labels[1]->graphicsProxyWidget()->geometry(), QRectF(115, 180, 100, 50));
    QCOMPARE(labels[3]->graphicsProxyWidget()->geometry(), QRectF(280, 184, 125, 50));
    QCOMPARE(labels[44]->graphicsProxyWidget()->geometry(), QRectF(1050, 860, 100, 50));
    QVERIFY(labels[1]->styleSheet().contains(QStringLiteral("rgba( 112, 192, 112, 50%)")));
    QVERIFY(labels[16]->styleSheet().contains(QStringLiteral("rgba( 249, 169, 49, 70% )")));

    for (const char* name : {"lampHumidity", "lampCO2", "lampExtractFilter", "lampSupplyFilter", "lampWiFi"})
    {
        const CTrafficLightWidget* pLamp = lampOf(scene, name);
        QVERIFY2(pLamp, name);
        QCOMPARE(pLamp->graphicsProxyWidget()->geometry().left(), 1380.0);
        QCOMPARE(pLamp->graphicsProxyWidget()->geometry().size(), QSizeF(147, 50));
        QCOMPARE(ledOf(scene, name), -1);
    }
    QCOMPARE(lampOf(scene, "lampWiFi")->graphicsProxyWidget()->geometry().top(), 455.0);

    // The picture: 900 units high, centred 250 units left of the scene's centre.
    QGraphicsPixmapItem* pPicture = nullptr;
    for (QGraphicsItem* pItem : scene.items())
        if (auto p = qgraphicsitem_cast<QGraphicsPixmapItem*>(pItem))
            pPicture = p;
    QVERIFY(pPicture);
    const QRectF pictureRect = pPicture->sceneBoundingRect();
    QCOMPARE(qRound(pictureRect.height()), 900);
    QCOMPARE(qRound(pictureRect.center().x()), 650);
    QCOMPARE(qRound(pictureRect.center().y()), 500);
}

void TestOverviewScene::valuesReachTheirLabels()
{
    COverviewScene scene(nullptr);
    CFanValues v = heatingValues();
    v.OutdoorTemp = -5.0;
    v.OutdoorHum = 50;
    v.ExtractTemp = 20.0;
    v.ExtractHum = 60;
    v.CO2 = 1234;
    scene.setCurrentValues(&v, 5000, 0);

    const QVector<QLabel*>& labels = scene.labels();
    QCOMPARE(labels[1]->text(), QStringLiteral("-5.0"));
    QCOMPARE(labels[4]->text(), QStringLiteral("50"));
    QCOMPARE(labels[7]->text(), QStringLiteral("1.7")); // 50 % of 3.4 g/m3
    QCOMPARE(labels[10]->text(), QStringLiteral("2.5"));
    QCOMPARE(labels[22]->text(), QStringLiteral("20.0"));
    QCOMPARE(labels[25]->text(), QStringLiteral("60"));
    QCOMPARE(labels[28]->text(), QStringLiteral("10.6")); // 60 % of 17.7 g/m3
    QCOMPARE(labels[30]->text(), QStringLiteral("1234"));
    QCOMPARE(labels[33]->text(), QStringLiteral("30"));
    QCOMPARE(labels[41]->text(), QStringLiteral("18.0"));
    QCOMPARE(labels[44]->text(), QStringLiteral("30"));
}

void TestOverviewScene::absoluteHumidityTruncatesTheTemperature()
{
    // 20.1 degC is 160.8 eighths: truncated to 160 (17.7 g/m3), not rounded to 161 (17.8 g/m3).
    COverviewScene scene(nullptr);
    CFanValues v = heatingValues();
    v.ExtractTemp = 20.1;
    v.ExtractHum = 100;
    scene.setCurrentValues(&v, -1, 0);
    QCOMPARE(scene.labels()[28]->text(), QStringLiteral("17.7"));
    QCOMPARE(COverviewSceneBase::absoluteHumidity(40, 21.0), 7.52);
}

void TestOverviewScene::middleBlock_data()
{
    QTest::addColumn<double>("outdoor");
    QTest::addColumn<double>("extract");
    QTest::addColumn<double>("supply");
    QTest::addColumn<QString>("word1");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("percent");
    // W = 30 * (18 - 0) / 3; 1 - (20 - 18) / (20 - 0)
    QTest::newRow("heat") << 0.0 << 20.0 << 18.0 << "Heat"
                          << "180"
                          << "90";
    // W = 30 * (25.875 - 30) / 3 = -41.25, shown as 41: the supply air is cooled.
    QTest::newRow("chill") << 30.0 << 22.0 << 25.9 << "Chill"
                           << "41"
                           << "51";
}

void TestOverviewScene::middleBlock()
{
    QFETCH(double, outdoor);
    QFETCH(double, extract);
    QFETCH(double, supply);
    QFETCH(QString, word1);
    QFETCH(QString, power);
    QFETCH(QString, percent);

    COverviewScene scene(nullptr);
    CFanValues v = heatingValues();
    v.OutdoorTemp = outdoor;
    v.ExtractTemp = extract;
    v.SupplyTempVirt = supply;
    scene.setCurrentValues(&v, -1, 0);

    const QVector<QLabel*>& labels = scene.labels();
    QCOMPARE(labels[14]->text(), word1);
    QCOMPARE(labels[15]->text(), QStringLiteral("recovery"));
    QCOMPARE(labels[16]->text(), power);
    QCOMPARE(labels[18]->text(), percent);
}

void TestOverviewScene::coolingHidesThePercentage()
{
    COverviewScene scene(nullptr);
    const QVector<QLabel*>& labels = scene.labels();
    CFanValues v = heatingValues();
    v.SumCoolBypassOpen = true;
    scene.setCurrentValues(&v, -1, 0);
    QCOMPARE(labels[14]->text(), QStringLiteral("Cooling"));
    QCOMPARE(labels[15]->text(), QStringLiteral("power"));
    QCOMPARE(labels[16]->text(), QStringLiteral("20")); // 30 * (20 - 18) / 3
    QVERIFY(!isShown(labels[18]));
    QVERIFY(!isShown(labels[19]));

    v.SumCoolBypassOpen = false;
    scene.setCurrentValues(&v, -1, 0);
    QCOMPARE(labels[14]->text(), QStringLiteral("Heat"));
    QVERIFY(isShown(labels[18]));
    QVERIFY(isShown(labels[19]));
}

void TestOverviewScene::filterLampLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("extractRPM");
    QTest::addColumn<int>("extractLed");
    QTest::addColumn<int>("supplyRPM");
    QTest::addColumn<int>("supplyLed");
    // Level 20: extract clean 920, full 1560 (span 640); supply clean 870, full 1510 (span 640).
    QTest::newRow("below half a span") << 20 << 599 << -1 << 549 << -1;
    QTest::newRow("half a span below clean") << 20 << 600 << 0 << 550 << 0;
    QTest::newRow("last green") << 20 << 1175 << 0 << 1125 << 0;
    QTest::newRow("40 % of the span") << 20 << 1176 << 1 << 1126 << 1;
    QTest::newRow("70 % of the span") << 20 << 1368 << 2 << 1318 << 2;
    QTest::newRow("95 % of the span") << 20 << 1528 << 3 << 1478 << 3;
    QTest::newRow("just below 95 %") << 20 << 1527 << 2 << 1477 << 2;
    // A level between rows takes the next row up: 25 uses level 30 (extract 1040..1680).
    QTest::newRow("between rows") << 25 << 1295 << 0 << 1000 << 0;
    QTest::newRow("last row") << 100 << 2480 << 0 << 3260 << 3;
    QTest::newRow("above every row") << 110 << 2480 << -1 << 2540 << -1;
}

void TestOverviewScene::filterLampLevel()
{
    QFETCH(int, level);
    QFETCH(int, extractRPM);
    QFETCH(int, extractLed);
    QFETCH(int, supplyRPM);
    QFETCH(int, supplyLed);

    COverviewScene scene(nullptr);
    CFanValues v = heatingValues();
    v.AirFlowSetpoint = level;
    v.FanExtractRPM = extractRPM;
    v.FanSupplyRPM = supplyRPM;
    scene.setCurrentValues(&v, 4000, 0);
    QCOMPARE(ledOf(scene, "lampExtractFilter"), extractLed);
    QCOMPARE(ledOf(scene, "lampSupplyFilter"), supplyLed);
}

void TestOverviewScene::filterLampOnlyForKnownSerialRange_data()
{
    QTest::addColumn<int>("serialNr");
    QTest::addColumn<int>("led");
    QTest::newRow("3999 keeps the lamp") << 3999 << 0;
    QTest::newRow("4000 updates") << 4000 << 3;
    QTest::newRow("unknown unit updates") << -1 << 3;
    QTest::newRow("0 keeps the lamp") << 0 << 0;
}

void TestOverviewScene::filterLampOnlyForKnownSerialRange()
{
    QFETCH(int, serialNr);
    QFETCH(int, led);

    COverviewScene scene(nullptr);
    CFanValues v = heatingValues();
    v.AirFlowSetpoint = 20;
    v.FanExtractRPM = 920;
    scene.setCurrentValues(&v, 4000, 0);
    QCOMPARE(ledOf(scene, "lampExtractFilter"), 0);

    v.FanExtractRPM = 1600;
    scene.setCurrentValues(&v, serialNr, 0);
    QCOMPARE(ledOf(scene, "lampExtractFilter"), led);
}

void TestOverviewScene::filterLampBlinksAfterChanges()
{
    COverviewScene scene(nullptr);
    const CTrafficLightWidget* pLamp = lampOf(scene, "lampExtractFilter");
    CFanValues v = heatingValues();
    v.AirFlowSetpoint = 30;
    v.FanExtractRPM = 1100;

    QVector<bool> blinking;
    auto poll = [&](int nLevel, int nRPM)
    {
        v.AirFlowSetpoint = nLevel;
        v.FanExtractRPM = nRPM;
        scene.setCurrentValues(&v, 4000, 0);
        blinking << pLamp->isBlinking();
    };

    for (int i = 0; i < 8; ++i)
        poll(30, 1100);
    QCOMPARE(blinking, QVector<bool>({true, true, true, true, true, true, true, false}));
    QCOMPARE(pLamp->activeLed(), 0);

    // A lower speed changes nothing; a new highest speed starts the count again.
    blinking.clear();
    poll(30, 1090);
    poll(30, 1110);
    QCOMPARE(blinking, QVector<bool>({false, true}));

    // A new air-flow level starts the count again, even at a lower speed.
    for (int i = 0; i < 7; ++i)
        poll(30, 1110);
    blinking.clear();
    poll(40, 1300);
    QCOMPARE(blinking, QVector<bool>({true}));

    // A standing fan blinks; when it turns again its count starts over.
    for (int i = 0; i < 10; ++i)
        poll(40, 1300);
    blinking.clear();
    poll(40, 0);
    poll(40, 0);
    QCOMPARE(blinking, QVector<bool>({true, true}));
    QCOMPARE(pLamp->activeLed(), -1); // far below a clean filter's speed
    blinking.clear();
    for (int i = 0; i < 8; ++i)
        poll(40, 1300);
    QCOMPARE(blinking, QVector<bool>({true, true, true, true, true, true, true, false}));
}

void TestOverviewScene::co2Lamp_data()
{
    QTest::addColumn<int>("co2");
    QTest::addColumn<int>("led");
    QTest::newRow("999") << 999 << 0;
    QTest::newRow("1000") << 1000 << 1;
    QTest::newRow("1699") << 1699 << 1;
    QTest::newRow("1700") << 1700 << 2;
    QTest::newRow("2499") << 2499 << 2;
    QTest::newRow("2500") << 2500 << 3;
}

void TestOverviewScene::co2Lamp()
{
    QFETCH(int, co2);
    QFETCH(int, led);
    COverviewScene scene(nullptr);
    CFanValues v = heatingValues();
    v.CO2 = co2;
    scene.setCurrentValues(&v, -1, 0);
    QCOMPARE(ledOf(scene, "lampCO2"), led);
    QVERIFY(!lampOf(scene, "lampCO2")->isBlinking());
}

void TestOverviewScene::humidityLampOnBothTypes_data()
{
    QTest::addColumn<int>("humidity");
    QTest::addColumn<int>("led");
    QTest::newRow("9") << 9 << 3;
    QTest::newRow("10") << 10 << 2;
    QTest::newRow("19") << 19 << 2;
    QTest::newRow("20") << 20 << 1;
    QTest::newRow("29") << 29 << 1;
    QTest::newRow("30") << 30 << 0;
    QTest::newRow("60") << 60 << 0;
    QTest::newRow("61") << 61 << 1;
    QTest::newRow("70") << 70 << 1;
    QTest::newRow("71") << 71 << 2;
    QTest::newRow("85") << 85 << 2;
    QTest::newRow("86") << 86 << 3;
}

void TestOverviewScene::humidityLampOnBothTypes()
{
    QFETCH(int, humidity);
    QFETCH(int, led);

    COverviewScene scene(nullptr);
    CFanValues v = heatingValues();
    v.ExtractHum = humidity;
    scene.setCurrentValues(&v, -1, 0);
    QCOMPARE(ledOf(scene, "lampHumidity"), led);

    COverviewScene70 scene70(nullptr);
    CFanValues70 v70;
    v70.ExtractHum = humidity;
    scene70.setCurrentValues(&v70, -1, 0);
    QCOMPARE(ledOf(scene70, "lampHumidity"), led);
}

void TestOverviewScene::wifiLamp_data()
{
    QTest::addColumn<bool>("wifi");
    QTest::addColumn<int>("rssi");
    QTest::addColumn<int>("led");
    QTest::newRow("-91") << true << -91 << 3;
    QTest::newRow("-90") << true << -90 << 2;
    QTest::newRow("-82") << true << -82 << 2;
    QTest::newRow("-81") << true << -81 << 1;
    QTest::newRow("-72") << true << -72 << 1;
    QTest::newRow("-71") << true << -71 << 0;
    QTest::newRow("-11") << true << -11 << 0;
    QTest::newRow("-10") << true << -10 << -1;
    QTest::newRow("0") << true << 0 << 3;
    QTest::newRow("7") << true << 7 << 3;
    QTest::newRow("100 (request failed)") << true << 100 << -1;
    QTest::newRow("no Wi-Fi, weak") << false << -91 << -1;
    QTest::newRow("no Wi-Fi, good") << false << -50 << -1;
}

void TestOverviewScene::wifiLamp()
{
    QFETCH(bool, wifi);
    QFETCH(int, rssi);
    QFETCH(int, led);

    g_bWifiAvailable = wifi;
    COverviewScene scene(nullptr);
    CFanValues v = heatingValues();
    scene.setCurrentValues(&v, -1, -50); // green first, so a dark lamp is really switched off
    scene.setCurrentValues(&v, -1, rssi);
    QCOMPARE(ledOf(scene, "lampWiFi"), led);
}

void TestOverviewScene::portChangeDarkensAndRestartsTheFilterCount()
{
    g_bWifiAvailable = true;
    COverviewScene scene(nullptr);
    CFanValues v = heatingValues();
    v.AirFlowSetpoint = 20;
    v.FanExtractRPM = 920;
    v.CO2 = 2600;
    for (int i = 0; i < 8; ++i)
        scene.setCurrentValues(&v, 4000, -50);
    QVERIFY(!lampOf(scene, "lampExtractFilter")->isBlinking());

    scene.onComPortChanged(QStringLiteral("/dev/ttyACM1"));
    for (const char* name : {"lampHumidity", "lampCO2", "lampExtractFilter", "lampSupplyFilter", "lampWiFi"})
        QCOMPARE(ledOf(scene, name), -1);

    // Same level and speed as before: the cleared highest speed counts as new, so it blinks.
    scene.setCurrentValues(&v, 4000, -50);
    QCOMPARE(ledOf(scene, "lampExtractFilter"), 0);
    QVERIFY(lampOf(scene, "lampExtractFilter")->isBlinking());
    QCOMPARE(ledOf(scene, "lampCO2"), 3);
}

void TestOverviewScene::readingsOnlyFromTheUnit_data()
{
    QTest::addColumn<bool>("plus");
    QTest::addColumn<bool>("clearedBySelector"); // else by a change of the port
    QTest::newRow("tolVane100, port removed") << false << false;
    QTest::newRow("tolVane100, chosen without unit") << false << true;
    QTest::newRow("plus, port removed") << true << false;
    QTest::newRow("plus, chosen without unit") << true << true;
}

void TestOverviewScene::readingsOnlyFromTheUnit()
{
    // A value label shows "-" until the unit reports, and again once its readings are gone; the
    // labels beside it keep their units and abbreviations.
    QFETCH(bool, plus);
    QFETCH(bool, clearedBySelector);
    g_bWifiAvailable = true;
    COverviewScene scene100(nullptr);
    COverviewScene70 scene70(nullptr);
    COverviewSceneBase& scene = plus ? static_cast<COverviewSceneBase&>(scene70) : scene100;
    const auto values = [&] { return plus ? valueTexts(scene70) : valueTexts(scene100); };
    const QStringList none = QVector<QString>(plus ? 9 : 13, QStringLiteral("-")).toList();
    QCOMPARE(values(), none);

    CFanValues v = heatingValues();
    v.SumCoolBypassOpen = true; // the middle block as the unit in cooling shows it
    v.ExtractHum = 95;
    CFanValues70 v70;
    v70.ExtractTemp = 21.0;
    v70.ExtractHum = 95;
    scene.setCurrentValues(plus ? static_cast<const void*>(&v70) : &v, 4000, -50);
    QCOMPARE(values().count("-"), plus ? 0 : 1); // only the percentage, hidden in cooling
    QCOMPARE(ledOf(scene, "lampHumidity"), 3);

    if (clearedBySelector)
        scene.clearValues();
    else if (plus)
        scene70.onComPortChanged(QString());
    else
        scene100.onComPortChanged(QString());
    QCOMPARE(values(), none);
    QCOMPARE(ledOf(scene, "lampHumidity"), -1);
    if (plus)
    {
        QCOMPARE(scene70.labels()[4]->text(), QString::fromUtf8("°C"));
        QCOMPARE(scene70.labels()[13]->text(), QStringLiteral("(AQE)"));
        return;
    }
    QCOMPARE(scene100.labels()[2]->text(), QString::fromUtf8("°C"));
    QCOMPARE(scene100.labels()[3]->text(), QStringLiteral("(TOU)"));
    QCOMPARE(scene100.labels()[14]->text(), QStringLiteral("Heat"));
    QCOMPARE(scene100.labels()[15]->text(), QStringLiteral("recovery"));
    QVERIFY(isShown(scene100.labels()[18]));
}

void TestOverviewScene::plusSceneValues()
{
    COverviewScene70 scene(nullptr);
    QCOMPARE(scene.getTitle(), QStringLiteral("Overview"));
    const QVector<QLabel*>& labels = scene.labels();
    QCOMPARE(labels.size(), 31);
    QCOMPARE(labels[0]->text(), QStringLiteral("Preferred Room (Bedroom)"));
    QCOMPARE(labels[13]->text(), QStringLiteral("(AQE)"));
    QCOMPARE(labels[25]->text(), QStringLiteral("(HSU)"));
    QCOMPARE(labels[22]->text(), QStringLiteral("(TSU)"));
    QCOMPARE(labels[13]->graphicsProxyWidget()->geometry(), QRectF(1245, 544, 125, 50));
    QCOMPARE(lampOf(scene, "lampAirQuality")->graphicsProxyWidget()->geometry(), QRectF(1380, 540, 147, 50));
    QCOMPARE(ledOf(scene, "lampAirQuality"), -1);
    // The outdoor-air caption ends before the wall, which stands 70 units either side of the
    // picture's centre.
    QRectF picture;
    for (QGraphicsItem* pItem : scene.items())
        if (auto p = qgraphicsitem_cast<QGraphicsPixmapItem*>(pItem))
            picture = p->sceneBoundingRect();
    const QRectF caption = labels[1]->graphicsProxyWidget()->geometry();
    QVERIFY2(caption.left() + labels[1]->fontMetrics().horizontalAdvance(labels[1]->text()) <
                 picture.center().x() - 70,
             qPrintable(QString::number(caption.left())));

    CFanValues70 v;
    v.ExtractTemp = 21.0;
    v.ExtractHum = 40;
    v.SupplyTemp70 = 10.0;
    v.OutdoorHum = 80;
    v.ExtractCO270 = 520;
    v.SupplyCO270 = 480;
    v.ExtractAirFlow = -30;
    scene.setCurrentValues(&v, 5000, 0);

    QCOMPARE(labels[3]->text(), QStringLiteral("21.0"));
    QCOMPARE(labels[6]->text(), QStringLiteral("40"));
    QCOMPARE(labels[9]->text(), QStringLiteral("7.5")); // 40 % of 18.8 g/m3
    QCOMPARE(labels[11]->text(), QStringLiteral("520"));
    QCOMPARE(labels[14]->text(), QStringLiteral("30")); // without its sign
    QCOMPARE(labels[20]->text(), QStringLiteral("10.0"));
    QCOMPARE(labels[23]->text(), QStringLiteral("80"));
    QCOMPARE(labels[26]->text(), QStringLiteral("7.6")); // 80 % of 9.5 g/m3 at the supply temperature
    QCOMPARE(labels[28]->text(), QStringLiteral("480"));
    QCOMPARE(ledOf(scene, "lampAirQuality"), 2);
}

void TestOverviewScene::plusAirQualityLamp_data()
{
    QTest::addColumn<int>("extract");
    QTest::addColumn<int>("supply");
    QTest::addColumn<int>("led");
    QTest::newRow("equal") << 500 << 500 << 0;
    QTest::newRow("negative") << 480 << 500 << 0;
    QTest::newRow("14") << 514 << 500 << 0;
    QTest::newRow("15") << 515 << 500 << 1;
    QTest::newRow("29") << 529 << 500 << 1;
    QTest::newRow("30") << 530 << 500 << 2;
    QTest::newRow("49") << 549 << 500 << 2;
    QTest::newRow("50") << 550 << 500 << 3;
}

void TestOverviewScene::plusAirQualityLamp()
{
    QFETCH(int, extract);
    QFETCH(int, supply);
    QFETCH(int, led);
    COverviewScene70 scene(nullptr);
    CFanValues70 v;
    v.ExtractCO270 = extract;
    v.SupplyCO270 = supply;
    scene.setCurrentValues(&v, -1, 0);
    QCOMPARE(ledOf(scene, "lampAirQuality"), led);
}

void TestOverviewScene::plusPortChange()
{
    COverviewScene70 scene(nullptr);
    CFanValues70 v;
    v.ExtractHum = 95;
    v.ExtractCO270 = 600;
    scene.setCurrentValues(&v, -1, 0);
    QCOMPARE(ledOf(scene, "lampHumidity"), 3);
    scene.onComPortChanged(QString());
    QCOMPARE(ledOf(scene, "lampHumidity"), -1);
    QCOMPARE(ledOf(scene, "lampAirQuality"), -1);
}

void TestOverviewScene::viewShowsTheWholeScene()
{
    COverviewScene scene(nullptr);
    CMyGraphicsView view(&scene, nullptr);
    QVERIFY(!dynamic_cast<CTabBase*>(static_cast<QWidget*>(&view)));

    for (const QSize size : {QSize(1600, 400), QSize(500, 900)})
    {
        view.resize(size);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QRect shown = view.mapFromScene(scene.sceneRect()).boundingRect();
        const QRect viewport = view.viewport()->rect();
        QVERIFY2(viewport.adjusted(-1, -1, 1, 1).contains(shown),
                 qPrintable(size.width() > size.height() ? "wide" : "tall"));
        // Proportions kept, and the scene fills the narrower direction.
        QVERIFY(qAbs(double(shown.width()) / shown.height() - 1.8) < 0.02);
        const bool bFillsHeight = shown.height() >= viewport.height() - 8;
        const bool bFillsWidth = shown.width() >= viewport.width() - 8;
        QVERIFY(bFillsHeight || bFillsWidth);
    }
}

void TestOverviewScene::picturesRender()
{
    // The scenes draw their pictures (not only the background): compare a point inside each
    // unit's picture with the background gradient there.
    g_bWifiAvailable = true;
    COverviewScene scene(nullptr);
    CFanValues v = heatingValues();
    scene.setCurrentValues(&v, 4000, -60);
    const QImage image = renderScene(scene);
    saveForInspection(image, QStringLiteral("overview-tolVane100.png"));
    // Scene (650, 500), the heat exchanger, is image (325, 250).
    QVERIFY(image.pixelColor(325, 250).blue() < 150);

    COverviewScene70 scene70(nullptr);
    CFanValues70 v70;
    v70.ExtractHum = 45;
    scene70.setCurrentValues(&v70, 4000, 0);
    const QImage image70 = renderScene(scene70);
    saveForInspection(image70, QStringLiteral("overview-tolVaneplus.png"));
    // Scene (650, 300), the wall above the tube, is image (325, 150).
    QVERIFY(image70.pixelColor(325, 150).blue() < 180);
}

QTEST_MAIN(TestOverviewScene)
#include "tst_overviewscene.moc"
