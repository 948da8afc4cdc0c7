#pragma once

#include "DBImportData.h"

#include <QProgressDialog>

// The progress dialog of a CSV import: the store reports to it, the user can cancel it.
class CImportProgressDialog : public QProgressDialog, public CImportProgress
{
public:
    explicit CImportProgressDialog(QWidget* parent = nullptr) : QProgressDialog(parent) {}

    void setLabelText(const QString& strText) override { QProgressDialog::setLabelText(strText); }
    void setMaximum(int nMaximum) override { QProgressDialog::setMaximum(nMaximum); }
    int maximum() const override { return QProgressDialog::maximum(); }
    void setValue(int nValue) override { QProgressDialog::setValue(nValue); }
    bool wasCanceled() const override { return QProgressDialog::wasCanceled(); }
    void reset() override { QProgressDialog::reset(); }
};
