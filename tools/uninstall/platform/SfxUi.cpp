#include "SfxUi.h"

#include <QApplication>

#include <cstdlib>
#include <memory>

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

std::unique_ptr<QApplication> g_app;

} // namespace

void InitCommonControls(int& argc, char** argv)
{
    if (!QApplication::instance() && DisplayPresent())
        g_app = std::make_unique<QApplication>(argc, argv);
}

bool HasGui()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace sfx
