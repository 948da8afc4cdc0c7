#ifndef GRAPHICSTAB_H
#define GRAPHICSTAB_H

#include "TabBase.h"

#include <QPixmap>
#include <QWidget>

#include <memory>

namespace Ui
{
class CGraphicsTab;
}
class QSqlQueryModel;

// The "Diagrams" page: time curves of the logged values of the fields chosen in the curve
// picker, from the minute log and the three second-log spans the check boxes select.
class CGraphicsTab : public QWidget, public CTabBase
{
    Q_OBJECT

public:
    CGraphicsTab(bool bCorMisto70, QWidget* parent = nullptr);
    ~CGraphicsTab() override;

    QString getTitle() const override;

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
    // Turns the model's rows (local time text, value) into curve segments, broken where a value
    // is missing or two rows lie more than nMaxGapSecs apart. True when a point was taken.
    bool createFieldCurves(QSqlQueryModel& model, int nDataDictField, qint64 nMaxGapSecs, int nLogKind);
    QPixmap renderImage();

    bool m_bCorMisto70;
    std::unique_ptr<Ui::CGraphicsTab> m_pUi;
};

#endif // GRAPHICSTAB_H
