#include "FileSpec.h"

#include "FileOps.h"
#include "Path.h"
#include "StringSet.h"
#include "WinFile.h"

#include <cstring>
#include <vector>

namespace
{

bool UsableName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\\"<>|*?:;") == std::string::npos;
}

// Windows names never hold control characters; one that the host file system has (a line feed
// would split kolvest's output lines) is shown escaped and left alone.
bool HasControlCharacter(const std::string& name)
{
    for (unsigned char c : name)
    {
        if (c < 32)
            return true;
    }
    return false;
}

String Escaped(const String& path)
{
    String text;
    for (int i = 0; i < path.length(); ++i)
    {
        const unsigned char c = static_cast<unsigned char>(path.at(i));
        if (c == '\r')
            text.append("<CR>");
        else if (c == '\n')
            text.append("<LF>");
        else if (c == '\t')
            text.append("<TAB>");
        else if (c < 32)
            text.appendf("<0x%02X>", c);
        else
            text.append(char(c));
    }
    return text;
}

void WarnUnusableName(String* warnings, const String& path)
{
    if (warnings)
        warnings->appendf("The name \"%s\" holds a control character and was skipped.\r\n",
                          Escaped(path).c_str());
}

String LinePart(uint32_t flags, int lineNumber, bool moreLines)
{
    String part;
    if (!(flags & EXPAND_NO_LINE_NUMBERS) && (lineNumber > 1 || moreLines))
        part.appendf("on line %d ", lineNumber);
    return part;
}

} // namespace

int64_t SearchFiles(String pattern, StringList& list, uint32_t flags, String* warnings)
{
    if (!(flags & SEARCH_KEEP_LIST))
        list.clear();
    if (pattern.length() >= 3)
    {
        const String tail = pattern.mid(pattern.length() - 3);
        if (tail.compare(" /s") == 0 || tail.compare(" /S") == 0)
        {
            pattern.removeLast(3);
            flags |= SEARCH_RECURSE;
        }
    }
    const String directory = DirectoryPart(pattern);
    int64_t total = 0;

    std::vector<win::SFindData> found;
    win::FindFiles(pattern.c_str(), found);
    for (const win::SFindData& entry : found)
    {
        if (!UsableName(entry.name))
            continue;
        const bool isDirectory = entry.attributes & win::FILE_ATTRIBUTE_DIRECTORY;
        if (isDirectory ? !(flags & (SEARCH_DIRECTORIES | SEARCH_DIRECTORIES_ONLY))
                        : (flags & SEARCH_DIRECTORIES_ONLY))
            continue;
        const String path = JoinPath(directory, String(entry.name.c_str(), int(entry.name.size())));
        if (HasControlCharacter(entry.name))
        {
            WarnUnusableName(warnings, path);
            continue;
        }
        list.append(path);
        total += int64_t(entry.size);
    }

    for (String& path : list)
    {
        if (flags & SEARCH_NAMES_ONLY)
            path = FileNamePart(path);
        if (flags & SEARCH_NO_EXTENSION)
        {
            const int point = ExtensionStart(path);
            if (point >= 0)
                path.removeLast(path.length() - point);
        }
    }

    if (flags & SEARCH_RECURSE)
    {
        const String namePattern = FileNamePart(pattern);
        win::FindFiles(JoinPath(directory, "*.*").c_str(), found);
        for (const win::SFindData& entry : found)
        {
            // a link is listed like any entry but never entered: it could loop or lead out of the tree
            const bool enter = (entry.attributes & win::FILE_ATTRIBUTE_DIRECTORY) &&
                               !(entry.attributes & win::FILE_ATTRIBUTE_REPARSE_POINT);
            if (!enter || !UsableName(entry.name))
                continue;
            if (HasControlCharacter(entry.name))
            {
                // a folder that the pattern took was named above already
                const bool namedAbove = (flags & (SEARCH_DIRECTORIES | SEARCH_DIRECTORIES_ONLY)) &&
                                        win::WildcardMatch(namePattern.c_str(), entry.name);
                if (!namedAbove)
                    WarnUnusableName(warnings,
                                     JoinPath(directory, String(entry.name.c_str(), int(entry.name.size()))));
                continue;
            }
            StringList sub;
            total += SearchFiles(JoinPath(JoinPath(directory, String(entry.name.c_str())), namePattern), sub,
                                 flags & ~uint32_t(SEARCH_KEEP_LIST), warnings);
            list.appendAll(sub);
        }
    }
    return total;
}

void ExpandFileSpecList(const char* text, StringList& result, String defaultDirectory, String* warnings,
                        Vector<int>* lines, uint64_t* sizeTotal, uint32_t flags, ExpandCallback* callback)
{
    String rest(text);
    if (warnings)
    {
        if (flags & EXPAND_CLEAR_WARNINGS)
            warnings->clear();
        if (!defaultDirectory.isEmpty() && !IsDirectory(defaultDirectory))
            warnings->appendf("The default directory \"%s\" does not exist.\r\n", defaultDirectory.c_str());
    }
    if ((flags & EXPAND_WARN_BLANK) && rest.isBlank())
    {
        if (warnings)
            warnings->append("No files were specified.\r\n");
        return;
    }
    if (flags & EXPAND_CLEAR_RESULT)
        result.clear();
    if (lines && (flags & EXPAND_CLEAR_LINES))
        lines->clear();
    if (sizeTotal)
        *sizeTotal = 0;

    String base = GetCurrentDir();
    if (!defaultDirectory.isEmpty())
    {
        base = defaultDirectory;
        MakePathAbsolute(base, GetCurrentDir());
    }
    StringSet seen(64);
    const bool testDuplicates = !(flags & EXPAND_NO_DUPLICATE_TEST);

    for (int lineNumber = 1; !rest.isEmpty(); ++lineNumber)
    {
        String line = rest.takeLine();
        const bool moreLines = !rest.isEmpty();
        line.trim();
        uint32_t lineFlags = flags & EXPAND_PASSED_ON;
        if (line.stripSuffix(" /s"))
            lineFlags |= EXPAND_RECURSE;

        String lineDirectory = DirectoryPart(line);
        if (lineDirectory.isBlank())
            lineDirectory = base;
        else
            MakePathAbsolute(lineDirectory, base);

        bool first = true;
        while (!line.isEmpty())
        {
            String spec = line.takeUntil(';');
            if (spec.isEmpty())
                continue;
            // the first specification names the line's folder itself, so it is resolved against the
            // base; taking it against its own folder would double a relative folder part
            const String& against = first ? base : lineDirectory;
            first = false;
            if (!lineDirectory.isEmpty())
            {
                MakePathAbsolute(spec, against.isEmpty() ? lineDirectory : against);
            }
            else if (!IsAbsolutePath(spec))
            {
                if (warnings)
                    warnings->appendf(
                        "The file specification \"%s\" %sis not an absolute path.  Please include "
                        "the drive and directory.\r\n",
                        spec.c_str(), LinePart(flags, lineNumber, moreLines).c_str());
                continue;
            }

            StringList found;
            const int64_t size = SearchFiles(spec, found, lineFlags, warnings);
            if (!found.isEmpty())
            {
                if (sizeTotal && size > 0)
                    *sizeTotal += uint64_t(size);
                for (const String& path : found)
                {
                    if (testDuplicates)
                    {
                        const String key = path.lowered();
                        if (!seen.insert(key))
                        {
                            if (warnings)
                                warnings->appendf("The file \"%s\" occurs more than once.\r\n", key.c_str());
                            continue;
                        }
                        seen.rebuildIfNeeded(4, 2.5);
                    }
                    result.append(path);
                    if (lines)
                        lines->append(lineNumber - 1);
                    if (callback)
                        callback->onPathAdded(lineDirectory);
                }
            }
            else if (!(flags & EXPAND_NO_MATCH_QUIET) && warnings)
            {
                warnings->appendf("The file specification \"%s\" %sdid not match any files.\r\n",
                                  spec.c_str(), LinePart(flags, lineNumber, moreLines).c_str());
            }
        }
    }
}
