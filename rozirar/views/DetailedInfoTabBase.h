#pragma once

#include "TabBase.h"

#include <QWidget>

class QGroupBox;
class QRadioButton;

namespace Ui
{
class CDetailedInfoTab;
}

// The detailed-information form shared by both unit types, labelled from the data dictionary;
// the derived tabs adapt it to their unit type and fill it from each poll.
class CDetailedInfoTabBase : public QWidget, public CTabBase
{
    Q_OBJECT

public:
    explicit CDetailedInfoTabBase(QWidget* parent);
    ~CDetailedInfoTabBase() override;

    // The tab imposes no minimum of its own; its fonts shrink with it instead.
    QSize minimumSizeHint() const override { return QSize(); }
    QString getTitle() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

    // Unchecks every radio button of an auto-exclusive group, which setChecked(false) cannot.
    static void clearGroup(QRadioButton* pButton);

    Ui::CDetailedInfoTab* ui;

private:
    static void labelFromDictionary(QGroupBox* pGroupBox);
};
