#pragma once
// The installer core library's interface as the uninstaller stub binds it. Texts are
// zero-terminated UTF-16; windows are the stand-in handles of platform/SfxWindow.h.

#include "../platform/SfxWindow.h"

#include <cstdint>

#define TARVEK_API __attribute__((visibility("default")))

extern "C"
{
    // Dialog callback: code 0 reports the dialog window once it exists.
    typedef int (*XRDlgCallback)(int code, sfx::HWND dlg, std::intptr_t param);
    // Uninstall callback: (0, path, 0) asks the stub to delete the path at the next restart.
    typedef int (*XRUninstallCallback)(int kind, const char16_t* path, int flag);

    TARVEK_API void SetVar(const char16_t* name, const char16_t* value);
    // The text stays valid until the next call into the library.
    TARVEK_API const char16_t* EvalVar(const char16_t* expression);
    // Writes the evaluated text, cut to fit and zero-terminated; returns its length in units.
    TARVEK_API int EvalVarBuf(const char16_t* expression, char16_t* buffer, int bufferBytes);
    TARVEK_API int InitSFX(void* instance);
    // 1: run the uninstall sequence.
    TARVEK_API int InitUninstall();
    TARVEK_API int ShowProgressBox(XRDlgCallback callback);
    TARVEK_API sfx::HWND XRDlgGetDlgItem(sfx::HWND dlg, int id);
    // 0: the phase (0 to 4) succeeded.
    TARVEK_API int PerformUninstall(int phase, XRUninstallCallback callback);
    TARVEK_API int AddUninstLog(const char16_t* line);
}

namespace tarvek
{
// Control ids of the progress dialog.
constexpr int IDC_CANCEL = 0;
constexpr int IDC_PROGRESS = 3;
constexpr int IDC_TEXT = 6;
} // namespace tarvek
