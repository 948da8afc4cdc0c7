#pragma once
// The library's dialogs, built from their definitions in "xrdlg.dat": Qt widgets when the
// process has a Qt application, lines on the console otherwise. Every window is a stand-in
// window handle; the messages they get are logged (TarvekScript.h).

#include "../platform/SfxWindow.h"
#include "TarvekVars.h"

class QWidget;

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarvek
{

struct SControlDef
{
    std::string kind; // button, group, label, progress
    int id = -1;
    std::string text;
};

struct SDialogDef
{
    int width = 0;
    int height = 0;
    std::string caption;
    std::vector<SControlDef> controls;
};

std::optional<SDialogDef> ReadDialogDef(const std::string& path, const std::string& name);

class CTarvekControl;

class CTarvekDialog : public sfx::CWindow
{
public:
    // Texts are evaluated with the variables as they are now.
    CTarvekDialog(const SDialogDef& def, const CTarvekVars& vars);
    ~CTarvekDialog() override;

    sfx::HWND item(int id) const;
    std::intptr_t sendMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    void showWindow(int cmd) override;

private:
    struct SWidgetDeleter
    {
        void operator()(QWidget* widget) const;
    };
    std::unique_ptr<QWidget, SWidgetDeleter> m_widget; // null on the console
    std::vector<std::unique_ptr<CTarvekControl>> m_controls;
};

} // namespace tarvek
