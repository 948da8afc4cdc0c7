#include "Restart.h"

#include "DelayedMove.h"
#include "HostIo.h"
#include "HostName.h"
#include "WinError.h"
#include "WinPath.h"
#include "WininitRename.h"

#include <cerrno>
#include <map>
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

bool DeleteNow(const std::string& host)
{
    struct stat st;
    if (lstat(host.c_str(), &st) != 0)
        return errno == ENOENT ? Fail(MissingPathError(host)) : FailFromErrno();
    const int rc = S_ISDIR(st.st_mode) ? rmdir(host.c_str()) : unlink(host.c_str());
    return rc == 0 || FailFromErrno();
}

// An operation with its names as the host knows them: looked up once, for deciding whether it
// meets an unsynced one and for carrying it out.
struct SHostOperation
{
    const SPendingOperation* operation = nullptr;
    std::vector<SHostName> names;   // the source's, then the target's (none for a delete)
    uint32_t error = ERROR_SUCCESS; // why a name has no host path
};

bool CarryOut(const SHostOperation& host)
{
    if (host.error != ERROR_SUCCESS)
        return Fail(host.error);
    const SPendingOperation& operation = *host.operation;
    if (operation.target.empty())
        return DeleteNow(host.names[0].host);
    return MoveHostFileNow(host.names[0].host, host.names[1].host, operation.target.c_str(),
                           operation.flags & MOVEFILE_REPLACE_EXISTING);
}

// True when the operation changed something.
bool Apply(const SHostOperation& host, int& failures, const Report& report)
{
    if (CarryOut(host))
        return true;
    ++failures;
    const SPendingOperation& operation = *host.operation;
    report(operation.target.empty()
               ? "cannot delete " + operation.source + ": " + Reason()
               : "cannot move " + operation.source + " to " + operation.target + ": " + Reason());
    return false;
}

// A host folder in Windows form for a report (the host path where no drive reaches it); the last
// error stays.
std::string FolderName(const std::string& host)
{
    const uint32_t error = GetLastError();
    std::string name;
    if (!WindowsPathOf(host, name))
        name = host;
    SetLastError(error);
    return name;
}

// The operations carried out since their marks last went to the disk. A replay after a power loss
// carries out again every operation whose mark had not reached the disk, on the files as the later
// operations left them: a delete or a move repeated after an operation that re-created its name
// would remove or overwrite that one's result. So an operation that touches a name, or a folder on
// the way to one, that an unsynced operation touched waits until those marks are durable; names
// are compared as the host knows them (HostName.h), so that two drive letters or a link naming
// one folder cannot hide a meeting. And a mark must never reach the disk before the change it
// marks: before the marks are written, the folders that held the names of every operation that
// changed something are synced (a deleted folder's own name is in its parent).
// As no unsynced operation goes through a name another one touched, each folder is read only once
// for the names that do not exist in the spelling given (CFolderListings), and the folders above
// each folder are looked up once, until the marks go out.
class CUnsyncedOperations
{
public:
    // The operation's names on the files as they are before it is carried out.
    SHostOperation lookUp(const SPendingOperation& operation)
    {
        SHostOperation host;
        host.operation = &operation;
        for (const std::string* name : Names(operation))
        {
            host.names.emplace_back();
            if (!m_hostNames.resolve(*name, host.names.back()))
            {
                host.error = GetLastError();
                host.names.clear(); // it fails without a change
                break;
            }
        }
        return host;
    }

    bool touches(const SHostOperation& host) const
    {
        for (const SHostName& name : host.names)
        {
            for (const std::string& key : name.names)
            {
                if (m_way.count(key) || m_names.count(key))
                    return true;
            }
            for (const std::string& key : name.way)
            {
                if (m_names.count(key))
                    return true;
            }
        }
        return false;
    }

    void add(const SHostOperation& host, bool changed)
    {
        m_operations.push_back(host.operation);
        for (const SHostName& name : host.names)
        {
            m_names.insert(name.names.begin(), name.names.end());
            m_way.insert(name.way.begin(), name.way.end());
            if (changed)
                m_changedFolders.emplace(name.folderKey, name.folder);
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
        for (const auto& folder : m_changedFolders)
        {
            if (!SyncFolder(folder.second))
            {
                FailFromErrno();
                return fail("cannot write the changes in " + FolderName(folder.second) + " to the disk");
            }
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
        m_way.clear();
        m_changedFolders.clear();
        m_listings.clear();
        m_hostNames.clear();
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
    std::unordered_set<std::string> m_names;             // keys of their names
    std::unordered_set<std::string> m_way;               // keys of the folders on the way to them
    std::map<std::string, std::string> m_changedFolders; // key -> host path; synced before the marks
    CFolderListings m_listings;
    CHostNames m_hostNames;
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
        SHostOperation host = unsynced.lookUp(operation);
        if (unsynced.touches(host))
        {
            if (!unsynced.mark(list, true, name, failures, report))
                return false;
            host = unsynced.lookUp(operation); // without the listings that it may have changed
        }
        unsynced.add(host, Apply(host, failures, report));
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
