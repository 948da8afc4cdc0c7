#include "SfxUi.h"

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace sfx
{

namespace
{

int* g_argc = nullptr;
char** g_argv = nullptr;
std::unique_ptr<QApplication> g_app;

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
    g_argc = &argc;
    g_argv = argv;
}

CCommonControls::~CCommonControls()
{
    FreeCommonControls();
    g_argc = nullptr;
    g_argv = nullptr;
}

void InitCommonControls()
{
    if (g_argc && !QCoreApplication::instance() && DisplayPresent())
        g_app = std::make_unique<QApplication>(*g_argc, g_argv);
}

void FreeCommonControls()
{
    g_app.reset();
}

bool HasGui()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace sfx
