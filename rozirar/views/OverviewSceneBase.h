#pragma once

#include "TabBase.h"
#include "TrafficLightWidget.h"

#include <QGraphicsScene>
#include <QVector>

class QLabel;

// Base of the overview pictures of both unit types: a scene of fixed logical size with the
// unit's picture and value labels placed round it, shown by CMyGraphicsView.
class COverviewSceneBase : public QGraphicsScene, public CTabBase
{
    Q_OBJECT

public:
    static constexpr qreal SCENE_WIDTH = 1800;
    static constexpr qreal SCENE_HEIGHT = 1000;

    // How a label looks; the value kinds carry the colour of their air.
    enum ELabelKind
    {
        KIND_TEXT = 0,
        KIND_ABBREVIATION = 1,
        KIND_OUTDOOR_VALUE = 2,
        KIND_EXHAUST_VALUE = 3,
        KIND_RECOVERY_VALUE = 4,
        KIND_EXTRACT_VALUE = 5,
        KIND_SUPPLY_VALUE = 6,
        KIND_GROUP_TITLE = 7
    };

    // Where a label's text at construction comes from.
    enum ETextSource
    {
        TEXT_LITERAL, // translated in the scene's context
        TEXT_UNIT,    // unit of the dictionary entry
        TEXT_ABBR,    // abbreviation of the dictionary entry, in parentheses
        TEXT_VALUE    // a reading: "-" until the unit reports it
    };

    struct SLabelDef
    {
        int x, y, w, h;
        ELabelKind kind;
        ETextSource source;
        const char* text; // the literal, or the entry's key; none for a reading
    };

    explicit COverviewSceneBase(QObject* parent);

    // values points to the current-values record of the scene's unit type.
    virtual void setCurrentValues(const void* values, quint32 nSerialNr, int iRSSI) = 0;
    QString getTitle() const override;
    // Back to no readings: every value label shows "-" and the lamps are dark, as before the
    // first report of a unit.
    virtual void clearValues();

    static QString labelStyle(ELabelKind kind);
    // Absolute humidity in g/m3 of air at the temperature in degC with the relative humidity in %.
    static double absoluteHumidity(int nRelHum, double dTemp);
    // Lamp of an extract humidity: comfortable 30..60 % is green.
    static int humidityLevel(int nHum);
    static QString oneDecimal(double dValue);

protected:
    // Scales the picture to the given height and centres it 250 units left of the scene's centre.
    void placePicture(const QString& strResource, qreal targetHeight);
    // Builds the labels in table order; literal texts are translated in strContext. The labels
    // of readings are kept for clearValues.
    QVector<QLabel*> buildLabels(const SLabelDef* pDefs, int nCount, const char* strContext);
    // A traffic light at the lamp column, dark.
    CTrafficLightWidget* addLamp(int y, const QString& strName);
    // The level functions count like the lamp's lights.
    static CTrafficLightWidget::ELed toLed(int nLevel)
    {
        return static_cast<CTrafficLightWidget::ELed>(nLevel);
    }

private:
    QVector<QLabel*> m_ValueLabels;
    QVector<CTrafficLightWidget*> m_Lamps;
};

// Short names for the scenes' label tables.
namespace OverviewLabels
{
using Def = COverviewSceneBase::SLabelDef;
constexpr auto K_TEXT = COverviewSceneBase::KIND_TEXT;
constexpr auto K_ABBR = COverviewSceneBase::KIND_ABBREVIATION;
constexpr auto K_OUTDOOR = COverviewSceneBase::KIND_OUTDOOR_VALUE;
constexpr auto K_EXHAUST = COverviewSceneBase::KIND_EXHAUST_VALUE;
constexpr auto K_RECOVERY = COverviewSceneBase::KIND_RECOVERY_VALUE;
constexpr auto K_EXTRACT = COverviewSceneBase::KIND_EXTRACT_VALUE;
constexpr auto K_SUPPLY = COverviewSceneBase::KIND_SUPPLY_VALUE;
constexpr auto K_TITLE = COverviewSceneBase::KIND_GROUP_TITLE;
constexpr auto LIT = COverviewSceneBase::TEXT_LITERAL;
constexpr auto UNIT = COverviewSceneBase::TEXT_UNIT;
constexpr auto ABBR = COverviewSceneBase::TEXT_ABBR;
constexpr auto VALUE = COverviewSceneBase::TEXT_VALUE;
} // namespace OverviewLabels
