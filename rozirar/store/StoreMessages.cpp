#include "StoreMessages.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>
#include <QSqlError>
#include <QThread>

namespace
{
const char* const PROGRAM_NAME = "tolVane-Vozudoz";

// SQLite's primary result codes.
constexpr int SQLITE_BUSY = 5;
constexpr int SQLITE_LOCKED = 6;
constexpr int SQLITE_READONLY = 8;
constexpr int SQLITE_FULL = 13;

bool canShowBoxes()
{
    QCoreApplication* pApp = QCoreApplication::instance();
    return qobject_cast<QApplication*>(pApp) && QThread::currentThread() == pApp->thread();
}
} // namespace

CStoreMessages& CStoreMessages::instance()
{
    static CStoreMessages s_messages;
    return s_messages;
}

CStoreMessages::ECause CStoreMessages::causeOf(const QSqlError& error)
{
    bool bNumber = false;
    const int nCode = error.nativeErrorCode().toInt(&bNumber) & 0xFF;
    if (!bNumber)
        return CAUSE_OTHER;
    switch (nCode)
    {
    case SQLITE_READONLY:
        return CAUSE_READ_ONLY;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return CAUSE_LOCKED;
    case SQLITE_FULL:
        return CAUSE_FULL;
    default:
        return CAUSE_OTHER;
    }
}

void CStoreMessages::showMessage(bool bCritical, const QString& strText)
{
    if (!canShowBoxes())
    {
        qWarning() << strText;
        return;
    }
    if (bCritical)
        QMessageBox::critical(nullptr, PROGRAM_NAME, strText, QMessageBox::Ok);
    else
        QMessageBox::warning(nullptr, PROGRAM_NAME, strText, QMessageBox::Ok);
}

void CStoreMessages::reportRepeatedFailure(ECause eCause, const QString& strText)
{
    qWarning() << strText;
    const bool bPassingLock = eCause == CAUSE_LOCKED && m_eLastCause != CAUSE_LOCKED;
    m_eLastCause = eCause;
    if (bPassingLock || eCause == m_eShownCause || !canShowBoxes())
        return;
    m_eShownCause = eCause;
    if (!m_pBox)
    {
        // Not run with exec: a nested event loop would deliver the next poll, and with it the
        // next failure, while the box waits.
        m_pBox = new QMessageBox(QMessageBox::Critical, PROGRAM_NAME, QString(), QMessageBox::Ok);
        m_pBox->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_pBox->setText(strText);
    m_pBox->show();
}
