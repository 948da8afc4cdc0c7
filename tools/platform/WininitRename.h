// The "[rename]" sections of "wininit.ini" in the Windows folder as the restart works through
// them: locked from open() until the object goes. Each line carried out is marked by ";" over its
// first character (an INI comment: the system's own reader passes over it too); at the end the
// file is replaced by its text without the sections (other sections stay as they were).
#pragma once

#include "MarkedList.h"

#include <string>
#include <vector>

namespace win
{

// What the restart puts over the first character of a line it has carried out.
constexpr char WININIT_DONE_MARK = ';';

// A wininit.ini text as the restart reads it: every section whose header line is "[rename]" in
// any letter case, in file order.
struct SRenameSections
{
    std::vector<SPendingOperation> operations; // the lines target=source not yet carried out
    std::string kept;                          // the text without the sections
    bool any = false;                          // it has such a section
    bool anyDone = false;                      // a line of them carries the mark
};
SRenameSections ReadRenameSections(const std::string& text);

class CWininitRename : public CMarkedList
{
public:
    CWininitRename() : CMarkedList(WININIT_DONE_MARK) {}

    // Reads the lines not yet carried out, in file order (target=source; the target "NUL" becomes
    // an empty target, a delete); a missing file has none. A file that cannot be read is closed
    // again, untouched; a read error is ERROR_READ_FAULT, a lock not had within lockWaitMs
    // ERROR_SHARING_VIOLATION, what is not a regular file is refused.
    bool open(unsigned lockWaitMs = LOCK_WAIT_FOREVER) override;
    const std::string& hostPath() const { return m_host; }
    // Replaces the file, durably, by its text without the "[rename]" sections (if it had any).
    bool removeSections();

private:
    std::string m_host;
    std::string m_kept; // the text without the "[rename]" sections
    bool m_anyRename = false;
};

} // namespace win
