#pragma once

#include "StoreMessages.h"

#include <QMessageBox>
#include <QPointer>

// The log store's messages as message boxes and its question as the serial-number dialog. The
// program installs it at start-up, and so do the tests that answer the boxes.
class CStoreBoxes : public CStoreMessages::IPresenter
{
public:
    static CStoreBoxes& instance();
    // Makes the one instance the store's presenter.
    static void install();

    bool canShow() const override;
    void showModal(bool bCritical, bool bActiveParent, const QString& strTitle,
                   const QString& strText) override;
    void showRepeatedFailure(const QString& strTitle, const QString& strText,
                             const QString& strDetails) override;
    qint64 askSerialNr() override;

    // The open box of repeated failures, null when there is none.
    QMessageBox* openBox() const { return m_pBox; }

private:
    CStoreBoxes() = default;

    QPointer<QMessageBox> m_pBox;
};
