#pragma once

#include <QDialog>

namespace Ui
{
class CAboutDialog;
}

// The about box: logo, program version and the maker's addresses.
class CAboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);
    ~CAboutDialog() override;

private:
    Ui::CAboutDialog* ui;
};
