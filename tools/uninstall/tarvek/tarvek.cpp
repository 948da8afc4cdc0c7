// Stand-in of the installer core library: the nine functions the uninstaller stub binds.

#include "tarvek.h"
#include "../platform/SfxException.h"
#include "../platform/SfxText.h"
#include "TarvekDialog.h"
#include "TarvekScript.h"
#include "TarvekUninstall.h"
#include "TarvekVars.h"

#include <WinPath.h>
#include <WinSystem.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace
{

struct STarvek
{
    tarvek::CTarvekVars vars;
    std::vector<tarvek::SUninstallEntry> uninstallList;
    std::unique_ptr<tarvek::CTarvekDialog> progressBox;
    std::u16string lastEval; // what EvalVar returned last
};

STarvek& State()
{
    static STarvek state;
    return state;
}

std::string Narrow(const char16_t* text)
{
    return text ? sfx::ToUtf8Lossy(text) : std::string();
}

// Host path of the Windows folder's "wininit.ini".
std::string WininitFile()
{
    std::string host;
    if (!win::HostPathOf(win::GetWindowsDirectory() + "\\wininit.ini", host))
        return {};
    return host;
}

std::string DataFile(const char* name)
{
    return State().vars.get("XRSFXPATH") + name;
}

} // namespace

extern "C"
{

    void SetVar(const char16_t* name, const char16_t* value)
    {
        tarvek::LogEvent("SetVar " + Narrow(name) + "=" + Narrow(value));
        State().vars.set(Narrow(name), Narrow(value));
    }

    const char16_t* EvalVar(const char16_t* expression)
    {
        State().lastEval = sfx::FromUtf8Lossy(State().vars.eval(Narrow(expression)));
        return State().lastEval.c_str();
    }

    int EvalVarBuf(const char16_t* expression, char16_t* buffer, int bufferBytes)
    {
        const int units = bufferBytes / int(sizeof(char16_t));
        if (!buffer || units <= 0)
            return 0;
        const std::u16string text = sfx::FromUtf8Lossy(State().vars.eval(Narrow(expression)));
        const int length = std::min(int(text.size()), units - 1);
        std::copy_n(text.begin(), length, buffer);
        buffer[length] = u'\0';
        return length;
    }

    int InitSFX(void*)
    {
        tarvek::LogEvent("InitSFX");
        tarvek::CTarvekVars& vars = State().vars;
        vars.set("ISADMIN", tarvek::ScriptIsAdmin());
        vars.set("SILENT", tarvek::ScriptSilent());
        vars.set("WIN", WininitFile());
        vars.loadLanguage(DataFile("xrlng.dat"), tarvek::SystemLanguageId());
        return 1;
    }

    int InitUninstall()
    {
        const int result = tarvek::ScriptInitUninstall();
        tarvek::LogEvent("InitUninstall " + std::to_string(result));
        return result;
    }

    int ShowProgressBox(XRDlgCallback callback)
    {
        tarvek::LogEvent("ShowProgressBox");
        const auto def = tarvek::ReadDialogDef(DataFile("xrdlg.dat"), "dlgprogress");
        if (!def)
            return 0;
        State().progressBox = std::make_unique<tarvek::CTarvekDialog>(*def, State().vars);
        if (callback)
            callback(0, State().progressBox.get(), 0);
        return 1;
    }

    sfx::HWND XRDlgGetDlgItem(sfx::HWND dlg, int id)
    {
        const auto* dialog = dynamic_cast<tarvek::CTarvekDialog*>(dlg);
        return dialog ? dialog->item(id) : nullptr;
    }

    int PerformUninstall(int phase, XRUninstallCallback callback)
    {
        tarvek::LogEvent("PerformUninstall " + std::to_string(phase));
        if (const auto code = tarvek::ScriptRaises(phase))
            throw sfx::CSfxSystemException{*code};
        if (const auto signal = tarvek::ScriptCrashes(phase))
        {
            if (*signal)
                std::raise(*signal);
            std::_Exit(1);
        }
        if (tarvek::ScriptStallsPhase(phase))
        {
            const pid_t parent = getppid();
            tarvek::LogEvent("stalled " + std::to_string(getpid()));
            while (getppid() == parent)
                usleep(1000);
        }
        if (tarvek::ScriptFailsPhase(phase))
            return 1;
        if (phase == 0 &&
            !tarvek::ReadUninstallList(DataFile("uninst.lst"), State().vars, State().uninstallList))
            return 1;
        if (phase == 4)
            if (const auto exitCode = tarvek::ScriptExitCode())
                State().vars.set("EXITCODE", *exitCode);
        return tarvek::RunUninstallPhase(phase, State().uninstallList, callback);
    }

    int AddUninstLog(const char16_t* line)
    {
        tarvek::LogEvent("AddUninstLog " + Narrow(line));
        return 0;
    }
}
