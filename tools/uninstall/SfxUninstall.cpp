#include "SfxUninstall.h"
#include "SfxReboot.h"
#include "SfxTarvek.h"
#include "platform/SfxMessageBox.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

namespace sfx
{

namespace
{

constexpr int TEXT_BUFFER_BYTES = 16384;

constexpr int EXIT_NOT_DONE = 3;
constexpr int EXIT_DECLINED = 2;

// The callbacks carry no context; one sequence runs at a time.
CSfxTarvek* g_tarvek = nullptr;
HWND g_progressDlg = nullptr;
HWND g_progressBar = nullptr;
HWND g_progressText = nullptr; // kept as the library reports it; the stub writes no text

int SfxProgressCallback(int code, HWND dlg, std::intptr_t)
{
    if (code != 0)
        return 0;
    g_progressDlg = dlg;
    g_progressBar = g_tarvek->XRDlgGetDlgItem(dlg, tarvek::IDC_PROGRESS);
    g_progressText = g_tarvek->XRDlgGetDlgItem(dlg, tarvek::IDC_TEXT);
    ShowWindow(g_tarvek->XRDlgGetDlgItem(dlg, tarvek::IDC_CANCEL), SW_HIDE);
    return 0;
}

int SfxUninstallCallback(int kind, const char16_t* path, int flag)
{
    if (kind == 0 && flag == 0 && path)
        SfxMoveAtReboot(*g_tarvek, path, nullptr);
    return 0;
}

void SfxSetProgress(int percent)
{
    SendMessage(g_progressBar, PBM_SETPOS, std::uintptr_t(percent), 0);
}

WString Eval(CSfxTarvek& tarvek, const char16_t* expression)
{
    const char16_t* text = tarvek.EvalVar(expression);
    return text ? WString(text) : WString();
}

WString EvalBuf(CSfxTarvek& tarvek, const char16_t* expression)
{
    std::vector<char16_t> buffer(TEXT_BUFFER_BYTES / sizeof(char16_t), u'\0');
    tarvek.EvalVarBuf(expression, buffer.data(), TEXT_BUFFER_BYTES);
    buffer.back() = u'\0';
    return buffer.data();
}

bool Silent(CSfxTarvek& tarvek)
{
    return Eval(tarvek, u"%SILENT%") == u"1";
}

int RunPhases(CSfxTarvek& tarvek, const WString& ownPath)
{
    const WString title = Eval(tarvek, u"%APPTITLE%");
    if (Eval(tarvek, u"%ISADMIN%") != u"1")
    {
        MessageBox(nullptr, Eval(tarvek, u"#UninstallAdminReq"), title, MB_ICONERROR);
        return EXIT_NOT_DONE;
    }
    if (!Silent(tarvek) &&
        MessageBox(nullptr, EvalBuf(tarvek, u"#UninstallPrompt"), title, MB_ICONQUESTION | MB_YESNO) == IDNO)
        return EXIT_DECLINED;
    if (!Silent(tarvek))
        tarvek.ShowProgressBox(SfxProgressCallback);

    struct SStep
    {
        int phase;
        int progressAfter; // 0: none
    };
    static const SStep steps[] = {{0, 60}, {1, 80}, {3, 0}, {2, 0}, {4, 90}};
    for (const SStep& step : steps)
    {
        if (tarvek.PerformUninstall(step.phase, SfxUninstallCallback) != 0)
            return EXIT_NOT_DONE;
        if (step.progressAfter)
            SfxSetProgress(step.progressAfter);
    }

    // The closing text promises the restart-time delete only once it is registered.
    const bool ownFileScheduled = SfxMoveAtReboot(tarvek, ownPath, nullptr, SFX_REGISTER_ONCE);
    const char16_t* finalText = ownFileScheduled ? u"#UninstallFinal" : u"#UninstallFinalDeleteByHand";
    if (!Silent(tarvek))
    {
        SfxSetProgress(100);
        SendMessage(g_progressDlg, WM_XR_UNINSTALL_DONE, 0, 0);
        MessageBox(nullptr, EvalBuf(tarvek, finalText), title, MB_ICONINFORMATION);
    }
    else if (!ownFileScheduled)
    {
        std::fprintf(stderr, "%s\n", ToUtf8Lossy(EvalBuf(tarvek, finalText)).c_str());
    }
    return SfxParseExitCode(Eval(tarvek, u"%EXITCODE%"));
}

} // namespace

int SfxParseExitCode(std::u16string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - u'0'), 1LL + INT_MAX);
    if (negative)
        value = -value;
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int SfxRunUninstall(CSfxTarvek& tarvek, const WString& ownPath)
{
    g_tarvek = &tarvek;
    g_progressDlg = g_progressBar = g_progressText = nullptr;
    tarvek.SetVar(u"EXITCODE", u"0");
    const int exitCode = RunPhases(tarvek, ownPath);
    g_progressDlg = g_progressBar = g_progressText = nullptr;
    return exitCode;
}

} // namespace sfx
