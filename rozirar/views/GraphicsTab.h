#pragma once

#include "TabBase.h"

#include <QDate>
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui
{
class CGraphicsTab;
}
class QCheckBox;

// The "Diagrams" page: time curves of the logged values of the fields chosen in the curve
// picker, from the minute log and the three second-log spans the check boxes select.
class CGraphicsTab : public QWidget, public CTabBase
{
    Q_OBJECT

public:
    CGraphicsTab(bool bCorMisto70, QWidget* parent = nullptr);
    ~CGraphicsTab() override;

    QString getTitle() const override;
    // The unit whose rows are drawn, asked at each drawing; all units until the frame sets it.
    void setSerialNrSource(std::function<qint64()> source) { m_serialNrSource = std::move(source); }
    // The date of today, asked whenever the diagram shows today; the local date until the frame
    // sets its clock.
    void setTodaySource(std::function<QDate()> source);

public slots:
    // Draws every selected field again.
    void reload() override;
    void onCurveAdded(int nDataDictField);
    void onCurveRemoved(int nDataDictField);
    void onPickDate();
    void onTimeSpanChanged(int index);
    void onExportGraphics();
    void copyToClipboard();
    void onFit();

private:
    // nLogKind below: 0 minute, 1 quarter-hour, 2 day, 3 month values.

    // Reads the field's rows of one log kind and adds them to the plot as curve segments, broken
    // where a value is missing or two rows lie more than the kind's maximum gap apart. True when
    // a point was taken.
    bool createFieldCurves(int nDataDictField, int nLogKind);
    // A ticked box adds its log kind to the fields on show, an unticked one takes it away; the
    // other kinds and the time axis stay as they are.
    void onLogKindClicked(int nLogKind);
    // The last ticked box cannot be unticked.
    void enableLogKindBoxes();
    QCheckBox* box(int nLogKind) const;
    QPixmap renderImage();

    bool m_bCorMisto70;
    std::unique_ptr<Ui::CGraphicsTab> m_pUi;
    std::function<qint64()> m_serialNrSource;
};
