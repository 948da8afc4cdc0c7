#include "Restart.h"

#include "DelayedMove.h"
#include "WinError.h"
#include "WinPath.h"
#include "WininitRename.h"

#include <cctype>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace win
{

namespace
{

std::string Reason()
{
    std::string text = ErrorMessageText(GetLastError());
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

bool DeleteNow(const std::string& winPath)
{
    std::string host;
    if (!HostPathOf(winPath, host))
        return false;
    struct stat st;
    if (lstat(host.c_str(), &st) != 0)
        return errno == ENOENT ? Fail(MissingPathError(host)) : FailFromErrno();
    const int rc = S_ISDIR(st.st_mode) ? rmdir(host.c_str()) : unlink(host.c_str());
    return rc == 0 || FailFromErrno();
}

void Apply(const SPendingOperation& operation, int& failures, const Report& report)
{
    if (operation.target.empty())
    {
        if (!DeleteNow(operation.source))
        {
            ++failures;
            report("cannot delete " + operation.source + ": " + Reason());
        }
        return;
    }
    const uint32_t flags = operation.flags & MOVEFILE_REPLACE_EXISTING;
    if (!MoveFileEx(operation.source.c_str(), operation.target.c_str(), flags))
    {
        ++failures;
        report("cannot move " + operation.source + " to " + operation.target + ": " + Reason());
    }
}

// When the marks written so far must be durable. A replay after a power loss carries out again
// every operation whose mark had not reached the disk, on the files as the later operations left
// them: a delete or a move repeated after a move that re-created its path removes or overwrites
// that move's result. So before every move, and before a delete of a path that an operation marked
// since the last sync touched, the marks go to the disk; deletes of distinct paths need none.
class CReplayGuard
{
public:
    bool marksDurableBefore(const SPendingOperation& operation) const
    {
        return !m_touched.empty() && (!operation.target.empty() || m_touched.count(Key(operation.source)));
    }
    void done(const SPendingOperation& operation)
    {
        m_touched.insert(Key(operation.source));
        if (!operation.target.empty())
            m_touched.insert(Key(operation.target));
    }
    void marksDurable() { m_touched.clear(); }

private:
    static std::string Key(std::string path)
    {
        for (char& c : path)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        return path;
    }

    std::unordered_set<std::string> m_touched; // by operations marked since the last sync
};

// Carries out the list's operations in order, each marked as done at once. False when a mark could
// not be written or made durable: the run stops there rather than carry out what a later run
// would carry out again.
bool ApplyList(CMarkedList& list, const std::string& name, int& failures, const Report& report)
{
    CReplayGuard guard;
    for (const SPendingOperation& operation : list.operations())
    {
        if (guard.marksDurableBefore(operation))
        {
            if (!list.makeDurable())
            {
                ++failures;
                report("cannot write the marks in " + name + " to the disk: " + Reason());
                return false;
            }
            guard.marksDurable();
        }
        Apply(operation, failures, report);
        if (!list.markDone(operation))
        {
            ++failures;
            report("cannot mark an operation in " + name + " as done: " + Reason());
            return false;
        }
        guard.done(operation);
    }
    return true;
}

} // namespace

int ApplyRestartOperations(const Report& report)
{
    // A list that cannot be read stops the run before anything is carried out, so that the next
    // run still finds every operation, in registration order.
    int failures = 0;
    {
        CPendingList list;
        if (!list.open())
        {
            report("cannot read " + PendingOperationsFile() + ": " + Reason());
            return 1;
        }
        if (!ApplyList(list, PendingOperationsFile(), failures, report))
            return failures;
        if (!list.clear())
        {
            ++failures;
            report("cannot empty " + PendingOperationsFile() + ": " + Reason());
        }
        // Emptied or not, the list must be on the disk as it is now before the wininit.ini
        // operations run: a replay of its operations could undo what those do.
        if (!list.makeDurable())
        {
            report("cannot write the marks in " + PendingOperationsFile() + " to the disk: " + Reason());
            return failures + 1;
        }
    }
    CWininitRename wininit;
    if (!wininit.open())
    {
        report(wininit.notRegularFile() ? wininit.hostPath() + " is not a regular file"
                                        : "cannot read " + wininit.hostPath() + ": " + Reason());
        return failures + 1;
    }
    if (wininit.isOpen() && ApplyList(wininit, wininit.hostPath(), failures, report) &&
        !wininit.removeSections())
    {
        ++failures;
        report("cannot rewrite " + wininit.hostPath() + ": " + Reason());
    }
    return failures;
}

} // namespace win
