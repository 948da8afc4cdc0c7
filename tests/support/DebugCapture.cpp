#include "DebugCapture.h"

#include <QRegularExpression>

namespace
{
CDebugCapture* g_pCapture = nullptr;

QString simplified(const QString& text)
{
    return text.simplified().replace(QRegularExpression(" (?=[,:])"), QString());
}
} // namespace

CDebugCapture::CDebugCapture()
{
    g_pCapture = this;
    m_Previous = qInstallMessageHandler(&CDebugCapture::handler);
}

CDebugCapture::~CDebugCapture()
{
    qInstallMessageHandler(m_Previous);
    g_pCapture = nullptr;
}

bool CDebugCapture::contains(const QString& text) const
{
    const QString wanted = simplified(text);
    for (const QString& line : m_Lines)
    {
        if (simplified(line) == wanted)
            return true;
    }
    return false;
}

void CDebugCapture::handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!g_pCapture)
        return;
    g_pCapture->m_Lines.append(message);
    if (g_pCapture->m_Previous)
        g_pCapture->m_Previous(type, context, message);
}
