#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects the Qt message log while it lives (one at a time), so a test can assert the
// diagnostic lines of a failure. Messages still reach the previous handler.
class CDebugCapture
{
public:
    CDebugCapture();
    ~CDebugCapture();
    CDebugCapture(const CDebugCapture&) = delete;
    CDebugCapture& operator=(const CDebugCapture&) = delete;

    const QStringList& lines() const { return m_Lines; }
    // True when a line equals text once blanks are collapsed (qDebug puts blanks between items).
    bool contains(const QString& text) const;
    void clear() { m_Lines.clear(); }

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QStringList m_Lines;
    QtMessageHandler m_Previous;
};
