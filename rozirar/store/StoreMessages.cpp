#include "StoreMessages.h"

#include <QDebug>
#include <QSqlError>

namespace
{
const char* const PROGRAM_NAME = "tolVane-Vozudoz";

// SQLite's primary result codes.
constexpr int SQLITE_BUSY = 5;
constexpr int SQLITE_LOCKED = 6;
constexpr int SQLITE_READONLY = 8;
constexpr int SQLITE_CORRUPT = 11;
constexpr int SQLITE_FULL = 13;
constexpr int SQLITE_NOTADB = 26;
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
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return CAUSE_DAMAGED;
    default:
        return CAUSE_OTHER;
    }
}

void CStoreMessages::showMessage(bool bCritical, const QString& strText)
{
    if (!canShow())
    {
        qWarning() << strText;
        return;
    }
    m_pPresenter->showModal(bCritical, false, PROGRAM_NAME, strText);
}

void CStoreMessages::showImportWarning(bool bActiveParent, const QString& strTitle, const QString& strText)
{
    if (!canShow())
    {
        qWarning() << strText;
        return;
    }
    m_pPresenter->showModal(false, bActiveParent, strTitle, strText);
}

qint64 CStoreMessages::askSerialNr()
{
    return canShow() ? m_pPresenter->askSerialNr() : -1;
}

void CStoreMessages::reportRepeatedFailure(ECause eCause, const QString& strText, const QString& strDetails)
{
    qWarning() << strText << strDetails;
    const bool bPassingLock = eCause == CAUSE_LOCKED && m_eLastCause != CAUSE_LOCKED;
    m_eLastCause = eCause;
    if (bPassingLock || eCause == m_eShownCause || !canShow())
        return;
    m_eShownCause = eCause;
    m_pPresenter->showRepeatedFailure(PROGRAM_NAME, strText, strDetails);
}

void CStoreMessages::reportDamage(const QString& strText)
{
    qWarning() << strText;
    if (m_bDamageTold || !canShow())
        return;
    m_bDamageTold = true;
    m_pPresenter->showRepeatedFailure(PROGRAM_NAME, strText, QString());
}
