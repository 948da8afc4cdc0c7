// libFuzzer target: kolvest's command-line tokenizer, the splitting of file-specification lists
// into lines and specifications with their path parts, and the wildcard name test.
//
// Input: one byte choosing the part, then its text. Only pure text functions are driven; nothing
// here touches the file system.

#include "Console.h"
#include "Path.h"
#include "String.h"
#include "WinFile.h"

#include <cstring>
#include <string>

namespace
{
void tokenize(const char* text)
{
    String line(text);
    while (!line.isEmpty())
    {
        const int before = line.length();
        String token = NextCommandLineToken(line);
        if (line.length() >= before && !token.isEmpty())
            __builtin_trap(); // a token was produced without consuming the line
        if (token.isEmpty() && !line.isBlank())
            __builtin_trap(); // only white space may end the tokens
        token.stripEnclosing();
        StripSwitchChar(token);
        token.trim();
    }
}

// The steps of ExpandFileSpecList on one text, without the search.
void splitSpecifications(const char* text)
{
    const String base("C:\\base\\dir");
    String rest(text);
    while (!rest.isEmpty())
    {
        const int before = rest.length();
        String line = rest.takeLine();
        if (rest.length() >= before)
            __builtin_trap();
        line.trim();
        line.stripSuffix(" /s");
        String lineDirectory = DirectoryPart(line);
        if (lineDirectory.isBlank())
            lineDirectory = base;
        else
            MakePathAbsolute(lineDirectory, base);
        while (!line.isEmpty())
        {
            String spec = line.takeUntil(';');
            if (spec.isEmpty())
                continue;
            MakePathAbsolute(spec, lineDirectory);
            IsAbsolutePath(spec);
            const String name = FileNamePart(spec);
            ExtensionStart(spec);
            const String joined = JoinPath(DirectoryPart(spec), name);
            joined.lowered();
        }
    }
}

// Names and patterns stay within the system's path limits: the test is quadratic in them.
void wildcard(const uint8_t* data, size_t size)
{
    const size_t split = size ? data[0] : 0;
    const std::string rest(reinterpret_cast<const char*>(data) + (size ? 1 : 0), size ? size - 1 : 0);
    const std::string pattern = rest.substr(0, std::min<size_t>(split, rest.size()));
    const std::string name = rest.substr(pattern.size());
    if (pattern.size() > 260 || name.size() > 255)
        return;
    const bool match = win::WildcardMatch(pattern, name);
    // Facts independent of the matcher: "*" takes every name, a name without wildcards only itself
    // (letter case aside).
    if (pattern == "*" && !match)
        __builtin_trap();
    if (!name.empty() && name.find_first_of("*?<>\"") == std::string::npos && !win::WildcardMatch(name, name))
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 4096)
        return 0;
    // The parsers take zero-terminated texts.
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 3)
    {
    case 0:
        tokenize(text.c_str());
        break;
    case 1:
        splitSpecifications(text.c_str());
        break;
    default:
        wildcard(data + 1, size - 1);
        break;
    }
    return 0;
}
