#include "OverviewSceneBase.h"

#include "DataDict.h"
#include "HumidityTable.h"
#include "TrafficLightWidget.h"
#include "ViewResources.h"

#include <QCoreApplication>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QLabel>
#include <QLinearGradient>

namespace
{
constexpr int LAMP_X = 1380;
constexpr int LAMP_WIDTH = 147;
constexpr int LAMP_HEIGHT = 50;
// Abbreviations sit a little lower than their row, on the value's base line.
constexpr int ABBREVIATION_DROP = 4;
// What a value label shows while no unit reports.
const char NO_VALUE[] = "-";

const char VALUE_STYLE[] = "background-color: %1;"
                           "font-size       : 30px;"
                           "font-weight     : bold;"
                           "color           : rgb(16, 16, 16);"
                           "padding-top     : 0px;"
                           "padding-bottom  : 0px;"
                           "border-width    : 3px;"
                           "border-radius   : 8px;"
                           "border-style    : solid;"
                           "border-color    : white;";
} // namespace

COverviewSceneBase::COverviewSceneBase(QObject* parent) : QGraphicsScene(parent)
{
    initViewResources();
    setSceneRect(0, 0, SCENE_WIDTH, SCENE_HEIGHT);
    QLinearGradient background(QPointF(100, 100), QPointF(1700, 900));
    background.setColorAt(0, QColor(1, 119, 190, 255));
    background.setColorAt(1, QColor(74, 183, 238, 255));
    setBackgroundBrush(background);
}

QString COverviewSceneBase::getTitle() const
{
    return tr("Overview");
}

void COverviewSceneBase::clearValues()
{
    for (QLabel* pLabel : qAsConst(m_ValueLabels))
        pLabel->setText(QLatin1String(NO_VALUE));
    for (CTrafficLightWidget* pLamp : qAsConst(m_Lamps))
        pLamp->setActiveLed(CTrafficLightWidget::LED_NONE);
}

QString COverviewSceneBase::labelStyle(ELabelKind kind)
{
    switch (kind)
    {
    case KIND_TEXT:
        return QStringLiteral("background-color: rgba( 0,0,0,0%);font-size       : 30px;           "
                              "color           : rgb(16, 16, 16);");
    case KIND_ABBREVIATION:
        return QStringLiteral("background-color: rgba( 0,0,0,0%);font-size       : 18px;           "
                              "color           : rgb(16, 16, 16);text-align      : bottom;");
    case KIND_OUTDOOR_VALUE:
        return QString::fromLatin1(VALUE_STYLE).arg(QLatin1String("rgba( 112, 192, 112, 50%)"));
    case KIND_EXHAUST_VALUE:
        return QString::fromLatin1(VALUE_STYLE).arg(QLatin1String("rgba( 196, 160,  96, 60%)"));
    case KIND_RECOVERY_VALUE:
        return QStringLiteral(
            "background-color: rgba( 249, 169, 49, 70% );font-size       : 30px;"
            "font-weight     : bold;color           : rgb(16, 16, 16);"
            "padding-top     : 0px;padding-bottom  : 0px;border-width    : 3px;"
            "border-radius   : 8px;border-style    : solid;border-color    : rgb(16, 16, 16);");
    case KIND_EXTRACT_VALUE:
        return QString::fromLatin1(VALUE_STYLE).arg(QLatin1String("rgba( 205, 205,  96, 70%)"));
    case KIND_SUPPLY_VALUE:
        return QString::fromLatin1(VALUE_STYLE).arg(QLatin1String("rgba( 224, 160, 160, 70%)"));
    case KIND_GROUP_TITLE:
        return QStringLiteral("background-color: rgba( 0,0,0,0%);font-size       : 30px;           "
                              "font-weight     : 600;            color           : rgb(16, 16, 16);");
    }
    return QString();
}

double COverviewSceneBase::absoluteHumidity(int nRelHum, double dTemp)
{
    // The table takes eighths of a degree and gives the saturation humidity in 0.1 g/m3.
    const qint16 t8 = static_cast<qint16>(static_cast<int>(dTemp * 8));
    return nRelHum * InterpolateHumidityTable(t8, 0) / 1000.0;
}

int COverviewSceneBase::humidityLevel(int nHum)
{
    if (nHum >= 30 && nHum <= 60)
        return CTrafficLightWidget::LED_GREEN;
    if ((nHum >= 20 && nHum <= 29) || (nHum >= 61 && nHum <= 70))
        return CTrafficLightWidget::LED_YELLOW;
    if ((nHum >= 10 && nHum <= 19) || (nHum >= 71 && nHum <= 85))
        return CTrafficLightWidget::LED_ORANGE;
    return CTrafficLightWidget::LED_RED;
}

QString COverviewSceneBase::oneDecimal(double dValue)
{
    return QString::number(dValue, 'f', 1);
}

void COverviewSceneBase::placePicture(const QString& strResource, qreal targetHeight)
{
    const QPixmap pixmap(strResource);
    if (pixmap.isNull())
    {
        qWarning("COverviewSceneBase::placePicture: %s is missing", qPrintable(strResource));
        return;
    }
    QGraphicsPixmapItem* pItem = addPixmap(pixmap);
    pItem->setTransformationMode(Qt::SmoothTransformation);
    const qreal s = targetHeight / pixmap.height();
    pItem->setScale(s);
    pItem->setPos((SCENE_WIDTH - pixmap.width() * s) / 2 - 250, (SCENE_HEIGHT - pixmap.height() * s) / 2);
}

QVector<QLabel*> COverviewSceneBase::buildLabels(const SLabelDef* pDefs, int nCount, const char* strContext)
{
    const CDataDict* pDict = CDataDict::instance();
    QVector<QLabel*> labels;
    labels.reserve(nCount);
    for (int i = 0; i < nCount; ++i)
    {
        const SLabelDef& def = pDefs[i];
        QString strText;
        switch (def.source)
        {
        case TEXT_LITERAL:
            strText = QCoreApplication::translate(strContext, def.text);
            break;
        case TEXT_UNIT:
            strText = pDict->getText(pDict->indexOf(QLatin1String(def.text)), CDataDict::COL_UNIT);
            break;
        case TEXT_ABBR:
            strText =
                pDict->getText(pDict->indexOf(QLatin1String(def.text)), CDataDict::COL_ABBREVIATION, true);
            break;
        case TEXT_VALUE:
            strText = QLatin1String(NO_VALUE);
            break;
        }
        QLabel* pLabel = new QLabel;
        pLabel->setObjectName(QStringLiteral("label%1").arg(i));
        pLabel->setText(strText);
        pLabel->setStyleSheet(labelStyle(def.kind));
        labels.append(pLabel);
        if (def.source == TEXT_VALUE)
            m_ValueLabels.append(pLabel);
        QGraphicsProxyWidget* pProxy = addWidget(pLabel);
        const int y = def.kind == KIND_ABBREVIATION ? def.y + ABBREVIATION_DROP : def.y;
        pProxy->setGeometry(QRectF(def.x, y, def.w, def.h));
    }
    return labels;
}

CTrafficLightWidget* COverviewSceneBase::addLamp(int y, const QString& strName)
{
    CTrafficLightWidget* pLamp = new CTrafficLightWidget(nullptr);
    pLamp->setObjectName(strName);
    pLamp->setAttribute(Qt::WA_TranslucentBackground);
    addWidget(pLamp)->setGeometry(QRectF(LAMP_X, y, LAMP_WIDTH, LAMP_HEIGHT));
    pLamp->setActiveLed(CTrafficLightWidget::LED_NONE);
    m_Lamps.append(pLamp);
    return pLamp;
}
