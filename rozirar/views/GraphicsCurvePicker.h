#pragma once

#include <QFrame>
#include <QList>

#include <memory>

namespace Ui
{
class CGraphicsCurvePicker;
}
class QTableWidget;

// The two lists of the diagrams: fields still available (grouped by unit) and fields selected.
// Keeps the selection within two units, one per value axis of the plot.
class CGraphicsCurvePicker : public QFrame
{
    Q_OBJECT

public:
    explicit CGraphicsCurvePicker(QWidget* parent = nullptr);
    ~CGraphicsCurvePicker() override;

    // Offers every plottable field that the log tables of the unit type hold.
    void fillAvailable(bool bCorMisto70);
    // Dictionary indices of the selected fields, top row first.
    QList<int> selectedFields() const;

signals:
    void curveAdded(int nDataDictField);
    void curveRemoved(int nDataDictField);

public slots:
    void onAdd();
    void onRemove();
    void onSelectionChangedAvail();
    void onSelectionChangedPicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void addRow(QTableWidget* pTable, int nIndex);
    void fitColumns(QTableWidget* pTable);
    void keepWordsWhole(const QList<int>& fields);
    void updateAvailability();
    // Takes the current row out of the table; -1 when it has none or it is greyed.
    static int takeCurrentField(QTableWidget* pTable);

    bool m_bCorMisto70 = false;
    std::unique_ptr<Ui::CGraphicsCurvePicker> m_pUi;
};
