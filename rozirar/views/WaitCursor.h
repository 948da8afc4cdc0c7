#pragma once

#include <QApplication>

// The wait cursor for the life of a scope.
struct SWaitCursor
{
    SWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~SWaitCursor() { QApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY(SWaitCursor)
};
