#include "SfxMain.h"
#include "SfxArchive.h"
#include "SfxFiles.h"
#include "SfxOverlay.h"
#include "SfxReboot.h"
#include "SfxTarvek.h"
#include "SfxUninstall.h"
#include "platform/SfxException.h"
#include "platform/SfxMessageBox.h"
#include "platform/SfxStrings.h"
#include "platform/SfxSystem.h"

#include <fcntl.h>
#include <unistd.h>

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

// Runs the uninstallation inside the exception frame; the own file is scheduled for deletion
// only when the uninstallation ran to its end.
int Uninstall(CSfxTarvek& tarvek, const WString& title, const WString& ownPath)
{
    std::uint32_t code;
    try
    {
        const SSfxUninstallResult result = SfxRunUninstall(tarvek);
        if (result.completed)
            SfxMoveAtReboot(tarvek, ownPath, nullptr);
        return result.exitCode;
    }
    catch (const CSfxSystemException& e)
    {
        code = e.code;
    }
    catch (...)
    {
        code = SFX_CPP_EXCEPTION_CODE;
    }
    MessageBox(nullptr,
               u"Unexpected error in script: code " + HexCode(code) + u".\nUninstaller execution aborted.",
               title, MB_ICONERROR | MB_TOPMOST);
    return 3;
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

    std::optional<WString> folder;
    if (error == SFX_OK)
    {
        folder = SfxCreateTempFolder(*tempPath);
        if (!folder)
            error = SFX_ERR_TEMP_FOLDER;
    }

    CSfxTarvek tarvek;
    if (error == SFX_OK)
    {
        const WString startDirectory = GetCurrentDirectory().value_or(WString());
        SetCurrentDirectory(*folder);
        error = Unpack(ownFile, *header, *folder);
        tarvek.setFolder(*folder);
        if (error == SFX_OK && !tarvek.bind())
            error = SFX_ERR_TEMP_RUNTIME;
        if (error == SFX_OK)
        {
            WString arcPath = *ownPath;
            SfxCutAtLastSeparator(arcPath);
            tarvek.SetVar(u"APPTITLE", title.c_str());
            tarvek.SetVar(u"ARCNAME", ownPath->c_str());
            tarvek.SetVar(u"XRSFXPATH", folder->c_str());
            tarvek.SetVar(u"CUR", startDirectory.c_str());
            tarvek.SetVar(u"ARCPATH", arcPath.c_str());
            tarvek.InitSFX(instance);
            if (tarvek.InitUninstall() == 1)
                exitCode = Uninstall(tarvek, title, *ownPath);
        }
    }
    if (ownFile >= 0)
        close(ownFile);
    tarvek.free();

    if (folder)
    {
        const std::optional<WString> cleanupPath = GetTempPath();
        if (!FitsPath(cleanupPath))
            return -1;
        SetCurrentDirectory(*cleanupPath);
        SfxDeleteTree(*folder);
    }

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
