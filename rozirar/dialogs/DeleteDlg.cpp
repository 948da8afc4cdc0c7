#include "DeleteDlg.h"

#include "ui_DeleteDlg.h"

CDeleteDlg::CDeleteDlg(QWidget* parent, qint64 nSerialNr)
    : QDialog(parent), m_nSerialNr(nSerialNr), ui(new Ui::CDeleteDlg)
{
    ui->setupUi(this);

    // 0 marks data without serial number and a negative number "nothing selected".
    if (m_nSerialNr > 0)
    {
        ui->m_pBtnDeleteSelected->setText(tr("Delete data for the selected serial number."));
        ui->m_pBtnDeleteSelected->setDescription(
            tr("All data, which originate from the tolVane device with serial number %1 will be deleted.")
                .arg(m_nSerialNr));
    }

    connect(ui->m_pBtnCancel, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(ui->m_pBtnDeleteSelected, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(ui->m_pBtnDeleteAll, &QAbstractButton::clicked, this, &CDeleteDlg::onDeleteAll);
}

CDeleteDlg::~CDeleteDlg()
{
    delete ui;
}

void CDeleteDlg::onDeleteAll()
{
    done(RESULT_ALL);
}
