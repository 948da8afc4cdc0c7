// Names as the host file system knows them, to decide whether two restart-time operations meet.
// A Windows name is known by the nearest existing folder on its way, by that folder's device and
// inode, and by the names below that folder compared ignoring case: two drive letters whose
// folders nest, a link to a folder and another letter case all give one name the same keys.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace win
{

struct SHostName
{
    std::string host;               // its host path (HostPathOf)
    std::string folder;             // host path of the folder holding the name (or of its nearest
                                    // existing folder, where that is missing)
    std::string folderKey;          // that folder's key
    std::vector<std::string> names; // the name's keys: in its folder, and its own where it is a folder
    std::vector<std::string> way;   // keys of the folders on the way to it, up to the host's root
};

class CHostNames
{
public:
    // The name as the files are now; false (last error set) where it has no host path.
    bool resolve(const std::string& winPath, SHostName& name);
    // Forgets the folders above the ones seen: to be called once a folder on their way may have
    // been renamed or removed.
    void clear() { m_ways.clear(); }

private:
    const std::vector<std::string>& wayTo(const std::string& folder);

    // host folder -> the keys of it and of every folder above it
    std::unordered_map<std::string, std::vector<std::string>> m_ways;
};

} // namespace win
