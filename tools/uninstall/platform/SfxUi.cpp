#include "SfxUi.h"

#include <QApplication>

#include <cstdlib>

namespace sfx
{

namespace
{

bool DisplayPresent()
{
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
    {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace

CCommonControls::CCommonControls(int& argc, char** argv)
{
    if (!QCoreApplication::instance() && DisplayPresent())
        m_app = std::make_unique<QApplication>(argc, argv);
}

CCommonControls::~CCommonControls() = default;

bool HasGui()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace sfx
