#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>

class QSqlError;

// Every message box of the log store. A failure of a single operation (opening the file, creating
// a table, a delete) is shown as a modal box. A failure that comes back with every minute row is
// shown once per cause (read-only file, lock, full disk, ...) in a box that does not block: while
// it is open a new cause replaces its text instead of opening another, and the same cause is
// shown again only after a write has succeeded in between. A lock is mostly another writer's
// short transaction, so it is shown only when the next attempt finds it again.
class CStoreMessages
{
public:
    enum ECause
    {
        CAUSE_NONE,
        CAUSE_READ_ONLY,
        CAUSE_LOCKED,
        CAUSE_FULL,
        CAUSE_OTHER
    };

    static CStoreMessages& instance();

    static ECause causeOf(const QSqlError& error);

    // Modal box without parent, one OK button, titled with the program name. Outside the
    // user-interface thread the text goes to the debug log instead.
    void showMessage(bool bCritical, const QString& strText);
    // A repeated write failed: the box appears when the cause differs from the last one shown.
    void reportRepeatedFailure(ECause eCause, const QString& strText);
    // A repeated write succeeded: the next failure is shown whatever its cause.
    void clearRepeatedFailure() { m_eShownCause = m_eLastCause = CAUSE_NONE; }

    ECause shownCause() const { return m_eShownCause; }
    // The open box of repeated failures, null when there is none.
    QMessageBox* openBox() const { return m_pBox; }

private:
    CStoreMessages() = default;

    ECause m_eShownCause = CAUSE_NONE;
    ECause m_eLastCause = CAUSE_NONE;
    QPointer<QMessageBox> m_pBox;
};
