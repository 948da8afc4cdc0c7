#include "Restart.h"

#include "DelayedMove.h"
#include "HostIo.h"
#include "WinError.h"
#include "WinPath.h"
#include "WininitRename.h"

#include <cctype>
#include <cerrno>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>
#include <vector>

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

// Why a list could not be opened.
std::string Unreadable(const CMarkedList& list, const std::string& name)
{
    return list.notRegularFile() ? name + " is not a regular file" : "cannot read " + name + ": " + Reason();
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

// True when the operation changed something.
bool Apply(const SPendingOperation& operation, int& failures, const Report& report)
{
    if (operation.target.empty())
    {
        if (DeleteNow(operation.source))
            return true;
        ++failures;
        report("cannot delete " + operation.source + ": " + Reason());
        return false;
    }
    const uint32_t flags = operation.flags & MOVEFILE_REPLACE_EXISTING;
    if (MoveFileEx(operation.source.c_str(), operation.target.c_str(), flags))
        return true;
    ++failures;
    report("cannot move " + operation.source + " to " + operation.target + ": " + Reason());
    return false;
}

// A name as Windows compares it: the full path in one letter case.
std::string Key(const std::string& winPath)
{
    std::string key;
    if (!GetFullPathName(winPath, key))
        key = winPath;
    for (char& c : key)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

// The folder holding a full path ("C:\" for a name in the root).
std::string FolderOf(const std::string& full)
{
    const size_t slash = full.find_last_of('\\');
    return full.substr(0, slash == 2 ? 3 : slash);
}

bool SyncWindowsFolder(const std::string& folder)
{
    std::string host;
    return HostPathOf(folder, host) && (SyncFolder(host) || FailFromErrno());
}

// The operations carried out since their marks last went to the disk. A replay after a power loss
// carries out again every operation whose mark had not reached the disk, on the files as the later
// operations left them: a delete or a move repeated after an operation that re-created its name
// would remove or overwrite that one's result. So an operation that touches a name, or a folder on
// the way to one, that an unsynced operation touched waits until those marks are durable. And a
// mark must never reach the disk before the change it marks: before the marks are written, the
// folders holding both names of every operation that changed something are synced.
// As no unsynced operation goes through a name another one touched, each folder is read only once
// for the names that do not exist in the spelling given (CFolderListings), until the marks go out.
class CUnsyncedOperations
{
public:
    bool touches(const SPendingOperation& operation) const
    {
        for (const std::string* name : Names(operation))
        {
            const std::string key = Key(*name);
            if (m_folders.count(key))
                return true;
            for (std::string path = key;; path = FolderOf(path))
            {
                if (m_names.count(path))
                    return true;
                if (FolderOf(path) == path)
                    break;
            }
        }
        return false;
    }

    void add(const SPendingOperation& operation, bool changed)
    {
        m_operations.push_back(&operation);
        for (const std::string* name : Names(operation))
        {
            const std::string key = Key(*name);
            m_names.insert(key);
            if (changed)
                m_changedFolders.insert(FolderOf(*name));
            for (std::string path = FolderOf(key); m_folders.insert(path).second && FolderOf(path) != path;)
                path = FolderOf(path);
        }
    }

    // Syncs the folders the operations changed, then writes their marks, and with durable makes
    // the marks durable. False when one of these fails (reported).
    bool mark(CMarkedList& list, bool durable, const std::string& listName, int& failures,
              const Report& report)
    {
        const auto fail = [&](const std::string& what)
        {
            ++failures;
            report(what + ": " + Reason());
            return false;
        };
        for (const std::string& folder : m_changedFolders)
        {
            if (!SyncWindowsFolder(folder))
                return fail("cannot write the changes in " + folder + " to the disk");
        }
        for (const SPendingOperation* operation : m_operations)
        {
            if (!list.markDone(*operation))
                return fail("cannot mark an operation in " + listName + " as done");
        }
        if (durable && !list.makeDurable())
            return fail("cannot write the marks in " + listName + " to the disk");
        m_operations.clear();
        m_names.clear();
        m_folders.clear();
        m_changedFolders.clear();
        m_listings.clear();
        return true;
    }

private:
    static std::vector<const std::string*> Names(const SPendingOperation& operation)
    {
        if (operation.target.empty())
            return {&operation.source};
        return {&operation.source, &operation.target};
    }

    std::vector<const SPendingOperation*> m_operations;
    std::unordered_set<std::string> m_names;   // keys of their names
    std::unordered_set<std::string> m_folders; // keys of the folders on the way to them
    std::set<std::string> m_changedFolders;    // synced before the marks are written
    CFolderListings m_listings;
};

// Carries out the list's operations in order and marks them as done. False when the changes or the
// marks could not be written or made durable: the run stops there rather than carry out what a
// later run would carry out again.
bool ApplyList(CMarkedList& list, const std::string& name, int& failures, const Report& report,
               const std::function<void()>& afterOperation)
{
    CUnsyncedOperations unsynced;
    for (const SPendingOperation& operation : list.operations())
    {
        if (unsynced.touches(operation) && !unsynced.mark(list, true, name, failures, report))
            return false;
        unsynced.add(operation, Apply(operation, failures, report));
        if (afterOperation)
            afterOperation();
    }
    // the caller empties the list and makes that durable
    return unsynced.mark(list, false, name, failures, report);
}

} // namespace

int ApplyRestartOperations(const Report& report, const std::function<void()>& afterOperation)
{
    // A list that cannot be read stops the run before anything is carried out, so that the next
    // run still finds every operation, in registration order.
    int failures = 0;
    {
        CPendingList list;
        if (!list.open())
        {
            report(Unreadable(list, PendingOperationsFile()));
            return 1;
        }
        if (!ApplyList(list, PendingOperationsFile(), failures, report, afterOperation))
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
        report(Unreadable(wininit, wininit.hostPath()));
        return failures + 1;
    }
    if (wininit.isOpen() && ApplyList(wininit, wininit.hostPath(), failures, report, afterOperation) &&
        !wininit.removeSections())
    {
        ++failures;
        report("cannot rewrite " + wininit.hostPath() + ": " + Reason());
    }
    return failures;
}

} // namespace win
