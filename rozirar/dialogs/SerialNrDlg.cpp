#include "SerialNrDlg.h"

#include "ui_SerialNrDlg.h"

#include <QApplication>
#include <QMessageBox>

CSerialNrDlg::CSerialNrDlg(QWidget* parent) : QDialog(parent), ui(new Ui::CSerialNrDlg)
{
    ui->setupUi(this);
    connect(ui->m_pBtnWithSerialNr, &QAbstractButton::clicked, this, &CSerialNrDlg::onImportWithSerialNr);
    connect(ui->m_pBtnNoSerialNr, &QAbstractButton::clicked, this, &CSerialNrDlg::onImportNoSerialNr);
    connect(ui->m_pBtnCancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

CSerialNrDlg::~CSerialNrDlg()
{
    delete ui;
}

int CSerialNrDlg::getSerialNr() const
{
    return ui->m_pSpinSerialNr->value();
}

void CSerialNrDlg::onImportNoSerialNr()
{
    ui->m_pSpinSerialNr->setValue(0);
    accept();
}

void CSerialNrDlg::onImportWithSerialNr()
{
    if (ui->m_pSpinSerialNr->value() > 0)
    {
        accept();
        return;
    }
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(),
                             tr("Please enter a valid serial number."), QMessageBox::Ok);
}
