#include "StoreBoxes.h"

#include "SerialNrDlg.h"

#include <QApplication>
#include <QThread>

CStoreBoxes& CStoreBoxes::instance()
{
    static CStoreBoxes s_boxes;
    return s_boxes;
}

void CStoreBoxes::install()
{
    CStoreMessages::instance().setPresenter(&instance());
}

bool CStoreBoxes::canShow() const
{
    QCoreApplication* pApp = QCoreApplication::instance();
    return qobject_cast<QApplication*>(pApp) && QThread::currentThread() == pApp->thread();
}

void CStoreBoxes::showModal(bool bCritical, bool bActiveParent, const QString& strTitle,
                            const QString& strText)
{
    QWidget* pParent = bActiveParent ? QApplication::activeWindow() : nullptr;
    if (bCritical)
        QMessageBox::critical(pParent, strTitle, strText, QMessageBox::Ok);
    else
        QMessageBox::warning(pParent, strTitle, strText, QMessageBox::Ok);
}

void CStoreBoxes::showRepeatedFailure(const QString& strTitle, const QString& strText,
                                      const QString& strDetails)
{
    if (!m_pBox)
    {
        // Not run with exec: a nested event loop would deliver the next poll, and with it the
        // next failure, while the box waits.
        m_pBox = new QMessageBox(QMessageBox::Critical, strTitle, QString(), QMessageBox::Ok);
        m_pBox->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_pBox->setText(strText);
    // In a text field that wraps, where the label could only cut a long statement.
    m_pBox->setDetailedText(strDetails);
    m_pBox->show();
}

qint64 CStoreBoxes::askSerialNr()
{
    CSerialNrDlg dlg(nullptr);
    return dlg.exec() == QDialog::Accepted ? dlg.getSerialNr() : -1;
}
