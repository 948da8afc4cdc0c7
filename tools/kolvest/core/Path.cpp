#include "Path.h"

#include "WinPath.h"

namespace
{

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool HasDrive(const String& path)
{
    return path.length() >= 2 && IsLetter(path.at(0)) && path.at(1) == ':';
}

// Length of the part of base that no ".." may remove: "C:\", a leading "\", or "\\server".
int RootLength(const String& base)
{
    if (base.length() >= 2 && base.at(0) == '\\' && base.at(1) == '\\')
    {
        const int server = base.find('\\', 2);
        return server == String::npos ? base.length() : server;
    }
    if (HasDrive(base))
        return base.length() >= 3 && base.at(2) == '\\' ? 3 : 2;
    return base.startsWith('\\') ? 1 : 0;
}

bool RemoveLastLevel(String& base)
{
    const int root = RootLength(base);
    if (base.length() > root && base.endsWith('\\'))
        base.removeLast(1);
    if (base.length() <= root)
        return false;
    const int last = base.findLast('\\');
    base = base.mid(0, last + 1 <= root ? root : last);
    return true;
}

} // namespace

int LastSeparatorIndex(const String& path)
{
    const int semicolon = path.find(';');
    const int last = path.findLast('\\', semicolon == String::npos ? String::npos : semicolon - 1);
    if (last != String::npos)
        return last;
    return path.find(':');
}

String DirectoryPart(const String& path)
{
    const int separator = LastSeparatorIndex(path);
    if (separator == String::npos)
        return String();
    const bool keep = path.at(separator) == ':' || (separator > 0 && path.at(separator - 1) == ':');
    return path.mid(0, keep ? separator + 1 : separator);
}

String FileNamePart(const String& path)
{
    int separator = path.findLast('\\');
    if (separator == String::npos)
        separator = path.find(':');
    return path.mid(separator + 1);
}

int ExtensionStart(const String& path)
{
    const int point = path.findLast('.');
    return point > path.findLast('\\') ? point : -1;
}

String JoinPath(const String& directory, const String& name)
{
    if (directory.isEmpty())
        return name;
    if (name.isEmpty())
        return directory;
    String joined(directory);
    if (name.startsWith('\\'))
        joined.stripTrailing('\\');
    else if (!joined.endsWith('\\') && !joined.endsWith(':'))
        joined.append('\\');
    joined.append(name);
    return joined;
}

bool IsAbsolutePath(const String& path)
{
    String text(path);
    text.trimLeft(" \r\n\t");
    if (text.length() >= 2 && text.at(0) == '\\' && text.at(1) == '\\')
        return true;
    return text.length() >= 3 && HasDrive(text) && text.at(2) == '\\';
}

bool MakePathAbsolute(String& path, String base)
{
    path.trim();
    if (path.isEmpty() || base.isEmpty())
        return false;
    if (!base.startsWith('\\') && !IsAbsolutePath(base))
        return false;
    if (path.length() >= 2 && path.at(0) == '\\' && path.at(1) == '\\')
        return false;
    bool changed = false;
    while (path.length() >= 3 && path.at(0) == '.' && path.at(1) == '.' && path.at(2) == '\\' &&
           RemoveLastLevel(base))
    {
        path.removeFirst(3);
        changed = true;
    }
    if (path.startsWith('\\'))
    {
        if (!HasDrive(base))
            return changed;
        path.insert(0, base.mid(0, 2));
        return true;
    }
    if (!HasDrive(path))
    {
        if (!base.endsWith('\\'))
            base.append('\\');
        path.insert(0, base);
        return true;
    }
    if (path.length() >= 3 && path.at(2) == '\\')
        return changed;
    String directory = HasDrive(base) ? base.mid(2) : base;
    if (!directory.endsWith('\\'))
        directory.append('\\');
    path.insert(2, directory);
    return true;
}

String GetShortPath(const String& path)
{
    std::string shortPath;
    if (!win::GetShortPathName(path.c_str(), shortPath))
        return path;
    return String(shortPath.c_str(), int(shortPath.size()));
}

String GetCurrentDir()
{
    std::string current;
    if (!win::GetCurrentDirectory(current))
        return String();
    return String(current.c_str(), int(current.size()));
}
