#pragma once

#include "TabBase.h"

#include <QWidget>

#include <functional>

namespace Ui
{
class CLogTabBase;
}
class QHBoxLayout;
class QLabel;
class QTableView;

// The common page of the log tabs: a description line above a table whose columns are
// stretched to the width of the view.
class CLogTabBase : public QWidget, public CTabBase
{
    Q_OBJECT

public:
    explicit CLogTabBase(QWidget* parent = nullptr);
    ~CLogTabBase() override;

    QTableView* getTableView() const;
    QLabel* getDescriptionLabel() const;
    QHBoxLayout* getTopLayout() const;
    void scrollToBottom();
    // Sizes the columns to their contents and spreads the spare width (less 68 pixels) evenly.
    void fitColumns();
    // The unit whose rows are shown, asked at each reload; all units until the frame sets it.
    void setSerialNrSource(std::function<qint64()> source) { m_serialNrSource = std::move(source); }

    // Width the table keeps free of the columns' spare width.
    static constexpr int RESERVED_WIDTH = 68;

protected:
    qint64 selectedSerialNr() const { return m_serialNrSource(); }
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Ui::CLogTabBase* ui;
    std::function<qint64()> m_serialNrSource;
};
