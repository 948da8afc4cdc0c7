#pragma once

#include <QString>

class QSqlError;

// Every message of the log store, and its one question (the serial number of imported rows that
// carry none). The store decides what is told and when; a presenter that the program installs at
// start-up shows it (message boxes and the serial-number dialog, see CStoreBoxes). Without a
// presenter, or where it cannot show anything, a text goes to the debug log and the question is
// refused.
// A failure of a single operation (opening the file, creating a table, a delete) is shown as a
// modal box. A failure that comes back with every minute row is shown once per cause (read-only
// file, lock, full disk, ...) in a box that does not block: while it is open a new cause replaces
// its text instead of opening another, and the same cause is shown again only after a write has
// succeeded in between. A lock is mostly another writer's short transaction, so it is shown only
// when the next attempt finds it again.
class CStoreMessages
{
public:
    enum ECause
    {
        CAUSE_NONE,
        CAUSE_READ_ONLY,
        CAUSE_LOCKED,
        CAUSE_FULL,
        CAUSE_DAMAGED,
        CAUSE_OTHER
    };

    class IPresenter
    {
    public:
        virtual ~IPresenter() = default;
        // False where nothing can be shown now (no widgets, or not the user-interface thread).
        virtual bool canShow() const = 0;
        // A modal box with one OK button, without parent or over the active window.
        virtual void showModal(bool bCritical, bool bActiveParent, const QString& strTitle,
                               const QString& strText) = 0;
        // A critical box that does not block; the one still open takes the new text. The details
        // are shown on request.
        virtual void showRepeatedFailure(const QString& strTitle, const QString& strText,
                                         const QString& strDetails) = 0;
        // The serial number the user gives: 0 for none, -1 when refused.
        virtual qint64 askSerialNr() = 0;
    };

    static CStoreMessages& instance();

    static ECause causeOf(const QSqlError& error);

    // The presenter stays the caller's; null removes it.
    void setPresenter(IPresenter* pPresenter) { m_pPresenter = pPresenter; }

    // Modal box without parent, one OK button, titled with the program name.
    void showMessage(bool bCritical, const QString& strText);
    // A warning of the CSV import, with its own title and parent.
    void showImportWarning(bool bActiveParent, const QString& strTitle, const QString& strText);
    // The serial number of imported rows that carry none: 0 for none, -1 when refused.
    qint64 askSerialNr();
    // A repeated write failed: the box appears when the cause differs from the last one shown.
    // The details (the statement) go with the text into the debug log.
    void reportRepeatedFailure(ECause eCause, const QString& strText, const QString& strDetails);
    // A query of a view found the file damaged: told once in the program run, in the box that does
    // not block (a view is being rebuilt meanwhile), never left to look like an empty list.
    void reportDamage(const QString& strText);
    // A repeated write succeeded: the next failure is shown whatever its cause.
    void clearRepeatedFailure() { m_eShownCause = m_eLastCause = CAUSE_NONE; }

    ECause shownCause() const { return m_eShownCause; }

private:
    CStoreMessages() = default;
    bool canShow() const { return m_pPresenter && m_pPresenter->canShow(); }

    IPresenter* m_pPresenter = nullptr;
    ECause m_eShownCause = CAUSE_NONE;
    ECause m_eLastCause = CAUSE_NONE;
    bool m_bDamageTold = false;
};
