#pragma once

#include <QDialog>

namespace Ui
{
class CSerialNrDlg;
}

// Asks for the serial number to give imported data that carry none (0 for none).
class CSerialNrDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CSerialNrDlg(QWidget* parent = nullptr);
    ~CSerialNrDlg() override;

    int getSerialNr() const;

public slots:
    void onImportNoSerialNr();
    void onImportWithSerialNr();

private:
    Ui::CSerialNrDlg* ui;
};
