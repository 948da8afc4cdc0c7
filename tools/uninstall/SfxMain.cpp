#include "SfxMain.h"
#include "SfxArchive.h"
#include "SfxChild.h"
#include "SfxFiles.h"
#include "SfxOverlay.h"
#include "SfxTarvek.h"
#include "SfxUninstall.h"
#include "platform/SfxException.h"
#include "platform/SfxMessageBox.h"
#include "platform/SfxStrings.h"
#include "platform/SfxSystem.h"
#include "platform/SfxUi.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>

namespace sfx
{

namespace
{

bool FitsPath(const std::optional<WString>& path)
{
    return path && !path->empty() && path->size() < MAX_PATH;
}

void ShowErrorBox(const WString& title, const WString& text)
{
    MessageBox(nullptr, text, title, MB_ICONERROR | MB_TOPMOST);
}

WString HexCode(std::uint32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "%x", code);
    return FromUtf8Lossy(text);
}

// Finds the archive behind the header and unpacks it into the folder.
ESfxError Unpack(int fd, const SSfxOverlayHeader& header, const WString& folder)
{
    std::uint64_t searchStart = header.overlayStart + SFX_HEADER_SIZE;
    if (searchStart + header.searchOffset < searchStart)
        return SFX_ERR_CORRUPTED;
    searchStart += header.searchOffset;
    const auto archiveStart = FindArchive(CFileSource(fd), searchStart);
    if (!archiveStart)
        return SFX_ERR_CORRUPTED;
    return SfxUnpackArchive(fd, *archiveStart, folder);
}

// The box and exit code of an exception in the uninstall sequence, also for a crash of the library.
int ScriptError(const WString& title, std::uint32_t code)
{
    MessageBox(nullptr,
               u"Unexpected error in script: code " + HexCode(code) + u".\nUninstaller execution aborted.",
               title, MB_ICONERROR | MB_TOPMOST);
    return 3;
}

// Runs the uninstallation inside the exception frame; it schedules the own file for deletion
// only when it ran to its end.
int Uninstall(CSfxTarvek& tarvek, const WString& title, const WString& ownPath)
{
    std::uint32_t code;
    try
    {
        return SfxRunUninstall(tarvek, ownPath);
    }
    catch (const CSfxSystemException& e)
    {
        code = e.code;
    }
    catch (...)
    {
        code = SFX_CPP_EXCEPTION_CODE;
    }
    return ScriptError(title, code);
}

struct SPackage
{
    void* instance;
    WString title;
    WString ownPath;
    WString folder;
    WString startDirectory;
};

// Everything that calls into the library: binding it, the package variables, the decision and
// the uninstallation. Runs in the watched child process.
SSfxLibraryResult RunLibrary(const SPackage& package)
{
    InitCommonControls();
    SSfxLibraryResult result;
    CSfxTarvek tarvek;
    tarvek.setFolder(package.folder);
    if (!tarvek.bind())
    {
        result.error = SFX_ERR_TEMP_RUNTIME;
    }
    else
    {
        WString arcPath = package.ownPath;
        SfxCutAtLastSeparator(arcPath);
        tarvek.SetVar(u"APPTITLE", package.title.c_str());
        tarvek.SetVar(u"ARCNAME", package.ownPath.c_str());
        tarvek.SetVar(u"XRSFXPATH", package.folder.c_str());
        tarvek.SetVar(u"CUR", package.startDirectory.c_str());
        tarvek.SetVar(u"ARCPATH", arcPath.c_str());
        tarvek.InitSFX(package.instance);
        if (tarvek.InitUninstall() == 1)
            result.exitCode = Uninstall(tarvek, package.title, package.ownPath);
    }
    tarvek.free();
    FreeCommonControls();
    return result;
}

} // namespace

int SfxMain(void* instance)
{
    const WString title = LoadString(IDS_PACKAGE_TITLE);
    int error = SFX_OK;
    int exitCode = 0;

    const std::optional<WString> ownPath = GetModuleFileName();
    const std::optional<WString> tempPath = GetTempPath();
    if (!FitsPath(ownPath) || !FitsPath(tempPath))
        error = SFX_ERR_TEMP_FOLDER;

    int ownFile = -1;
    std::optional<SSfxOverlayHeader> header;
    if (error == SFX_OK)
    {
        ownFile = open(ToUtf8(*ownPath)->c_str(), O_RDONLY | O_CLOEXEC);
        if (ownFile >= 0)
            header = ReadOverlayHeader(CFileSource(ownFile));
        if (!header)
        {
            if (ownFile >= 0)
                close(ownFile);
            ShowErrorBox(title, LoadString(IDS_FATAL_ERROR) + u"\r\n" + LoadString(IDS_ERR_CORRUPTED));
            return -SFX_ERR_CORRUPTED;
        }
    }

    // from here until the folder is gone again, an interruption must not leave it behind
    CSfxInterruptGuard guard;
    std::optional<CSfxTempFolder> folder;
    if (error == SFX_OK)
    {
        SfxRemoveAbandonedTempFolders(*tempPath);
        folder = SfxCreateTempFolder(*tempPath);
        if (!folder)
            error = SFX_ERR_TEMP_FOLDER;
    }

    SSfxChildEnd end;
    end.kind = SSfxChildEnd::FINISHED;
    if (error == SFX_OK)
    {
        const SPackage package{instance, title, *ownPath, folder->path(),
                               GetCurrentDirectory().value_or(WString())};
        SetCurrentDirectory(folder->path());
        error = Unpack(ownFile, *header, folder->path());
        if (error == SFX_OK)
            end = SfxRunWatched(guard, [&package] { return RunLibrary(package); });
        if (end.kind == SSfxChildEnd::FINISHED)
        {
            error = error == SFX_OK ? end.result.error : error;
            exitCode = end.result.exitCode;
        }
        else if (end.kind == SSfxChildEnd::NOT_STARTED)
        {
            error = SFX_ERR_TEMP_RUNTIME;
        }
    }
    if (ownFile >= 0)
        close(ownFile);

    if (folder)
    {
        const std::optional<WString> cleanupPath = GetTempPath();
        if (!FitsPath(cleanupPath))
            return -1;
        SetCurrentDirectory(*cleanupPath);
        SfxDeleteTree(folder->path());
        folder.reset();
    }
    guard.release();
    if (end.kind == SSfxChildEnd::INTERRUPTED)
    {
        // ended by the signal, as the stub would have been without the guard
        std::signal(end.signal, SIG_DFL);
        std::raise(end.signal);
        return 128 + end.signal;
    }
    if (end.kind == SSfxChildEnd::CRASHED)
        return ScriptError(title, end.crashCode);

    if (exitCode != 0)
        return exitCode;
    if (error != SFX_OK)
    {
        ShowErrorBox(title, LoadString(IDS_FATAL_ERROR) + u"\r\n" + LoadString(IDS_FATAL_ERROR + error));
        return -error;
    }
    return 0;
}

} // namespace sfx
