#include "SfxReboot.h"
#include "SfxTarvek.h"

#include <DelayedMove.h>
#include <HostIo.h>
#include <ShareLock.h>
#include <WinPath.h>
#include <WininitRename.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <vector>

namespace sfx
{

namespace
{

constexpr int WIN_BUFFER_BYTES = 2048;
const std::string RENAME_HEADER = "[Rename]\r\n";

// A host name that Windows cannot spell has no Windows form: a "\" in it would split it, and a
// trailing dot or blank would be dropped, so that the form would name another file.
std::optional<std::string> WindowsPath(const WString& hostPath)
{
    const auto host = ToUtf8(hostPath);
    std::string windows, full;
    if (!host || host->find('\\') != std::string::npos || !win::WindowsPathOf(*host, windows) ||
        !win::GetFullPathName(windows, full) || full != windows)
        return std::nullopt;
    return windows;
}

std::optional<std::string> ShortWindowsPath(const WString& hostPath)
{
    const auto windows = WindowsPath(hostPath);
    std::string shortPath;
    if (!windows || !win::GetShortPathName(*windows, shortPath) || shortPath.size() > SFX_SHORT_PATH_MAX)
        return std::nullopt;
    return shortPath;
}

size_t FindNoCase(const std::string& text, const std::string& what)
{
    if (what.size() > text.size())
        return std::string::npos;
    for (size_t i = 0; i + what.size() <= text.size(); ++i)
    {
        size_t k = 0;
        while (k < what.size() &&
               std::tolower((unsigned char)text[i + k]) == std::tolower((unsigned char)what[k]))
            ++k;
        if (k == what.size())
            return i;
    }
    return std::string::npos;
}

void AppendOnNewLine(std::string& file, const std::string& text)
{
    if (!file.empty() && file.back() != '\n')
        file += "\r\n";
    file += text;
}

std::string TrimmedLine(const std::string& line)
{
    const size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

bool ReadWhole(int fd, std::string& text)
{
    struct stat st;
    if (fstat(fd, &st) != 0)
        return false;
    text.assign(size_t(st.st_size), '\0');
    size_t done = 0;
    while (done < text.size())
    {
        const ssize_t n = pread(fd, text.data() + done, text.size() - done, off_t(done));
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

// The file that takes the rename lines, as the library names it.
std::optional<std::string> RenameFile(CSfxTarvek& tarvek)
{
    std::vector<char16_t> buffer(WIN_BUFFER_BYTES / sizeof(char16_t), u'\0');
    tarvek.EvalVarBuf(u"%WIN%", buffer.data(), WIN_BUFFER_BYTES);
    buffer.back() = u'\0';
    const auto path = ToUtf8(buffer.data());
    if (!path || path->empty())
        return std::nullopt;
    return path;
}

} // namespace

std::string SfxInsertRenameLine(const std::string& file, const std::string& line)
{
    std::string result = file;
    const size_t header = FindNoCase(file, RENAME_HEADER);
    if (header == std::string::npos)
    {
        AppendOnNewLine(result, RENAME_HEADER + line);
        return result;
    }
    // From the header's own line feed: a section that follows at once is found too.
    const size_t next = file.find("\n[", header + RENAME_HEADER.size() - 1);
    if (next == std::string::npos)
        AppendOnNewLine(result, line);
    else
        result.insert(next + 1, line);
    return result;
}

bool SfxHasRenameLine(const std::string& file, const std::string& line)
{
    const std::string wanted = TrimmedLine(line);
    const size_t eq = wanted.find('=');
    if (eq == std::string::npos)
        return false;
    const std::string target = wanted.substr(0, eq);
    const std::string source = wanted.substr(eq + 1);
    for (const win::SPendingOperation& operation : win::ReadRenameSections(file).operations)
    {
        const bool sameTarget = operation.target.empty() ? win::NamesEqual(target, "NUL")
                                                         : win::NamesEqual(operation.target, target);
        if (sameTarget && win::NamesEqual(operation.source, source))
            return true;
    }
    return false;
}

bool SfxAddRenameLine(CSfxTarvek& tarvek, const WString& source, const WString* target,
                      ESfxRegistration registration)
{
    std::string targetText = "NUL";
    if (target)
    {
        const auto host = ToUtf8(*target);
        if (!host)
            return false;
        const int fd = open(host->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0)
            close(fd);
        const auto shortTarget = ShortWindowsPath(*target);
        if (!shortTarget)
            return false;
        targetText = *shortTarget;
    }
    const auto shortSource = ShortWindowsPath(source);
    if (!shortSource)
        return false;
    const std::string line = targetText + "=" + *shortSource + "\r\n";
    if (line.size() > SFX_RENAME_LINE_MAX)
        return false; // a cut line would name another file

    const auto path = RenameFile(tarvek);
    if (!path)
        return false;
    // Locked for the whole read-modify-write, so that two uninstallers at once never lose a line;
    // a link is followed, as every writer of the file does, and what is not a regular file refused.
    const int fd =
        win::OpenAndLockWithin(*path, O_RDWR | O_CREAT, 0644, LOCK_EX, win::REGISTRATION_LOCK_WAIT_MS);
    if (fd < 0)
        return false;
    std::string text;
    bool done = ReadWhole(fd, text);
    // a new file in the old one's place, so that a write failing part-way cannot cut the sections
    // of other programs; the lock on the old one is held until then
    if (done && !(registration == SFX_REGISTER_ONCE && SfxHasRenameLine(text, line)))
        done = win::ReplaceFileWhole(*path, fd, SfxInsertRenameLine(text, line));
    close(fd);
    return done;
}

bool SfxMoveAtReboot(CSfxTarvek& tarvek, const WString& source, const WString* target,
                     ESfxRegistration registration)
{
    const win::MoveFileExFn moveFileEx = win::ResolveMoveFileEx();
    if (moveFileEx)
    {
        const auto windowsSource = WindowsPath(source);
        const auto windowsTarget = target ? WindowsPath(*target) : std::optional<std::string>();
        const char* newName = target && windowsTarget ? windowsTarget->c_str() : nullptr;
        const uint32_t flags = win::MOVEFILE_REPLACE_EXISTING | win::MOVEFILE_DELAY_UNTIL_REBOOT;
        if (windowsSource && (!target || windowsTarget) &&
            (registration == SFX_REGISTER_ONCE ? win::MoveFileExOnce(windowsSource->c_str(), newName, flags)
                                               : moveFileEx(windowsSource->c_str(), newName, flags)))
            return true;
    }
    return SfxAddRenameLine(tarvek, source, target, registration);
}

} // namespace sfx
