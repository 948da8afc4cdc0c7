#include "Engine.h"

#include "File.h"
#include "FileOps.h"
#include "Path.h"
#include "System.h"

#include "DelayedMove.h"
#include "WinError.h"
#include "WinFile.h"
#include "WininitRename.h"

#include <cstring>

namespace
{

win::MoveFileExFn g_moveFileExA = nullptr;

std::function<void()>& RegisteredMoveHook()
{
    static std::function<void()> hook;
    return hook;
}

bool IsBlankText(const char* text)
{
    return !text || String(text).isBlank();
}

// On an NT-class system the legacy file is used only where the legacy restart program exists.
bool LegacyRestartProgramExists()
{
    return FileExists(JoinPath(GetWindowsDir(), "wininit.exe"));
}

// Registers with the system's delayed move; false (reason in the last error) when that is missing
// or refused and the legacy file cannot stand in.
bool RegisterDelayed(const char* source, const char* target, bool& useLegacyFile)
{
    useLegacyFile = !IsWindowsNT();
    if (useLegacyFile)
        return false;
    if (!g_moveFileExA)
        win::SetLastError(win::ERROR_CALL_NOT_IMPLEMENTED);
    else if (g_moveFileExA(source, target,
                           (target ? uint32_t(win::MOVEFILE_REPLACE_EXISTING) : 0u) |
                               win::MOVEFILE_DELAY_UNTIL_REBOOT))
        return true;
    const uint32_t error = win::GetLastError();
    useLegacyFile = LegacyRestartProgramExists();
    win::SetLastError(error);
    return false;
}

// The end of the last "[rename]" header line, or -1. The header counts only as a whole line of
// its own.
int RenameHeaderEnd(const String& text)
{
    int last = -1;
    for (int position = text.findText("[rename]", 0, true); position != String::npos;
         position = text.findText("[rename]", position + 1, true))
    {
        if (position > 0 && text.at(position - 1) != '\r' && text.at(position - 1) != '\n')
            continue;
        int end = position + 8;
        while (end < text.length() && (text.at(end) == ' ' || text.at(end) == '\t'))
            ++end;
        if (end == text.length() || text.at(end) == '\r' || text.at(end) == '\n')
            last = end;
    }
    return last;
}

// Where the section that starts at from ends: the start of the next header line, or the end.
int SectionEnd(const String& text, int from)
{
    for (int position = from; position < text.length(); ++position)
    {
        if (text.at(position) != '\n')
            continue;
        int first = position + 1;
        while (first < text.length() && (text.at(first) == ' ' || text.at(first) == '\t'))
            ++first;
        if (first < text.length() && text.at(first) == '[')
            return position + 1;
    }
    return text.length();
}

bool SafeIniName(const char* name)
{
    return !std::strpbrk(name, "\r\n=");
}

} // namespace

void ResolveMoveFileExA()
{
    g_moveFileExA = win::ResolveMoveFileEx();
}

bool DeleteFileOrSchedule(const char* path, uint32_t flags)
{
    for (;;)
    {
        if (!path || !*path)
            return win::Fail(win::ERROR_INVALID_PARAMETER);
        if (!(flags & DELETE_KEEP_READ_ONLY))
            SetReadOnlyAttribute(path, false);
        if (flags & DELETE_AT_RESTART)
        {
            bool useLegacyFile = false;
            if (RegisterDelayed(path, nullptr, useLegacyFile))
                return true;
            if (!useLegacyFile)
                return false;
            return AddWininitRename("NUL", GetShortPath(path).c_str());
        }
        if (flags & DELETE_TO_RECYCLE_BIN)
            return win::MoveToRecycleBin(path);
        if (win::DeleteFile(path))
            return true;
        const uint32_t error = win::GetLastError();
        if (!(flags & DELETE_SCHEDULE_ON_FAILURE) || error == win::ERROR_FILE_NOT_FOUND ||
            error == win::ERROR_PATH_NOT_FOUND)
            return false;
        flags |= DELETE_AT_RESTART;
    }
}

bool MoveFileOrSchedule(const char* source, String target, uint32_t flags)
{
    if (IsBlankText(source) || target.isBlank())
        return win::Fail(win::ERROR_INVALID_PARAMETER);
    if (!FileExists(source))
        return win::Fail(win::ERROR_FILE_NOT_FOUND);
    if (flags & MOVE_INTO_DIRECTORY)
        target = JoinPath(target, FileNamePart(source));
    // A target that reaches the source itself under another spelling ("x\..\a", a trailing dot, a
    // link) is the same case as equal text: deleting the target would delete the source.
    // Names differing only in letter case are a rename of the source and go on below.
    if (target.compare(source) == 0 ||
        (target.compareNoCase(source) != 0 && win::IsSameFile(source, target.c_str())))
    {
        win::SetLastError(win::ERROR_INVALID_PARAMETER);
        return true;
    }
    // a folder cannot take a file's place, now or at the restart: the target must not go for it
    if (IsDirectory(source))
        return win::Fail(win::ERROR_ACCESS_DENIED);
    if ((flags & MOVE_REFUSE_READ_ONLY) && IsReadOnly(target))
        return win::Fail(win::ERROR_ACCESS_DENIED);

    bool replaceTarget = false; // names that differ only in case name the source itself
    if (target.compareNoCase(source) != 0)
    {
        if (flags & MOVE_TARGET_MUST_EXIST)
        {
            if (!FileExists(target))
                return win::Fail(win::ERROR_FILE_NOT_FOUND);
            replaceTarget = true;
        }
        else if (!(flags & MOVE_TARGET_MUST_NOT_EXIST))
            replaceTarget = true;
        else if (FileExists(target))
            return win::Fail(win::ERROR_FILE_EXISTS);
    }
    // the restart can only rename: a move it cannot carry out must not cost the target now
    if ((flags & MOVE_AT_RESTART) && !win::OnSameFileSystem(source, target.c_str()))
        return false;
    if (flags & MOVE_CREATE_DIRECTORIES)
        CreateDirectoryTree(DirectoryPart(target));

    if (flags & MOVE_AT_RESTART)
    {
        bool useLegacyFile = false;
        const String shortTarget = GetShortPath(target);
        const String shortSource = GetShortPath(source);
        bool registered = RegisterDelayed(source, target.c_str(), useLegacyFile);
        if (!registered && useLegacyFile)
            registered = AddWininitRename(shortTarget.c_str(), shortSource.c_str());
        if (!registered)
            return false;
        // Only now that the move is on the disk may the target go, and only while a restart cannot
        // carry the move out meanwhile: after one, the target is the moved source. One that is in
        // use stays until the restart replaces it.
        if (replaceTarget)
        {
            if (RegisteredMoveHook())
                RegisteredMoveHook()();
            // a pending line whose source is gone was carried out by a restart that could not mark it
            const auto deleteTarget = [source, &target]
            {
                if (FileExists(source))
                    DeleteFileOrSchedule(target.c_str(), 0);
            };
            if (useLegacyFile)
                win::CWininitRename().runWhilePending(shortSource.c_str(), shortTarget.c_str(), deleteTarget);
            else
                win::WhileDelayedMovePending(source, target.c_str(), deleteTarget);
        }
        win::SetLastError(win::ERROR_BUSY);
        return true;
    }

    if (replaceTarget)
        SetReadOnlyAttribute(target, false);
    if (win::MoveFileEx(source, target.c_str(),
                        replaceTarget ? uint32_t(win::MOVEFILE_REPLACE_EXISTING) : 0u))
        return true;
    const uint32_t error = win::GetLastError(); // the probe must not hide the move's own reason
    win::SetLastError(IsFileLocked(target) ? uint32_t(win::ERROR_SHARING_VIOLATION) : error);
    return false;
}

bool AddWininitRename(const char* target, const char* source)
{
    win::SetLastError(win::ERROR_SUCCESS);
    if (IsBlankText(target) || IsBlankText(source))
        return false;
    if (!SafeIniName(target) || !SafeIniName(source))
        return win::Fail(win::ERROR_INVALID_NAME);
    File file;
    if (file.open(JoinPath(GetWindowsDir(), "wininit.ini"), FILE_WAIT_FOR_LOCK, win::FILE_ATTRIBUTE_NORMAL) !=
        FILE_SUCCESS)
        return false;
    String text;
    if (!file.readAll(text))
        return false;
    // The restart reads the section top-down, so a new line goes to its end: operations must
    // run in the order they were registered.
    const int headerEnd = RenameHeaderEnd(text);
    if (headerEnd >= 0)
    {
        const int sectionEnd = SectionEnd(text, headerEnd);
        String line;
        if (sectionEnd < text.length())
        {
            line.appendf("%s=%s\r\n", target, source);
            text.insert(sectionEnd, line);
        }
        else
        {
            if (!text.endsWithLineBreak())
                text.append("\r\n");
            text.appendf("%s=%s", target, source);
        }
    }
    else
    {
        if (!text.endsWithLineBreak())
            text.append("\r\n");
        text.appendf("[rename]\r\n%s=%s", target, source);
    }
    // a new file in the old one's place, so that a write failing part-way cannot cut the sections
    // of other programs
    return file.replaceAll(text);
}

void SetRegisteredMoveHook(std::function<void()> hook)
{
    RegisteredMoveHook() = std::move(hook);
}
