#pragma once

#include <QDialog>

namespace Ui
{
class CDeleteDlg;
}

// Asks what to delete. exec() gives 0 (cancelled), 1 (the current selection) or 100 (all data).
class CDeleteDlg : public QDialog
{
    Q_OBJECT

public:
    enum EResult
    {
        RESULT_CANCEL = 0,
        RESULT_SELECTED = 1,
        RESULT_ALL = 100
    };

    CDeleteDlg(QWidget* parent, qint64 nSerialNr);
    ~CDeleteDlg() override;

public slots:
    void onDeleteAll();

private:
    qint64 m_nSerialNr;
    Ui::CDeleteDlg* ui;
};
