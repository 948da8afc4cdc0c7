#include "DeleteDlg.h"

#include "ui_DeleteDlg.h"

CDeleteDlg::CDeleteDlg(QWidget* parent, int nSerialNr)
    : QDialog(parent), m_nSerialNr(nSerialNr), ui(new Ui::CDeleteDlg)
{
    ui->setupUi(this);

    // 0 marks data without serial number and -1 "nothing selected"; any other number is a unit.
    // Serial numbers of 2^31 and above arrive wrapped into negative ints, so they are shown as the
    // unit's own unsigned number instead of being mistaken for "no serial number".
    if (m_nSerialNr != 0 && m_nSerialNr != -1)
    {
        ui->m_pBtnDeleteSelected->setText(tr("Delete data for the selected serial number."));
        ui->m_pBtnDeleteSelected->setDescription(
            tr("All data, which originate from the tolVane device with serial number %1 will be deleted.")
                .arg(static_cast<quint32>(m_nSerialNr)));
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
