#pragma once

#include "platform/SfxText.h"

#include <QString>

// A Qt text as the uninstaller's wide text (UTF-16, as on Windows).
inline sfx::WString W(const QString& text)
{
    return sfx::WString(reinterpret_cast<const char16_t*>(text.utf16()), text.size());
}
