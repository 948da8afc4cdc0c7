// Path texts of the core library: narrow Windows paths, backslash as the separator.
// Everything here is pure text except GetShortPath and GetCurrentDir.
#pragma once

#include "String.h"

// The last backslash before the first ";"; without one, the first colon; -1 if neither.
int LastSeparatorIndex(const String& path);
// The text before the last separator; "C:\x" gives "C:\", "C:x" gives "C:", "x" gives "".
String DirectoryPart(const String& path);
// The text after the last backslash, else after the first colon, else all of it.
String FileNamePart(const String& path);
// The last point after the last backslash, or -1.
int ExtensionStart(const String& path);
// directory + "\" + name, with no doubled or missing backslash ("C:" + "x" gives "C:x").
String JoinPath(const String& directory, const String& name);
// After leading white space: "\\" or a letter, a colon and a backslash.
bool IsAbsolutePath(const String& path);
// Makes path absolute against base (see the rules in Path.cpp); true when it changed the path.
bool MakePathAbsolute(String& path, String base);
// The short (8.3) form, or the path unchanged when the system cannot give one.
String GetShortPath(const String& path);
// The current directory; empty when the system cannot tell.
String GetCurrentDir();
