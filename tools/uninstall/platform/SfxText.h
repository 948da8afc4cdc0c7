#pragma once
// Wide text of the stub and the installer library is UTF-16, as on Windows; host paths are
// UTF-8. Conversions are exact or refused: a name that changes on the way names another file.

#include <optional>
#include <string>
#include <string_view>

namespace sfx
{

using WString = std::u16string;

std::optional<std::string> ToUtf8(std::u16string_view text);
std::optional<WString> FromUtf8(std::string_view text);

// For texts known to be valid (literals, our own messages); invalid parts become U+FFFD.
WString FromUtf8Lossy(std::string_view text);
std::string ToUtf8Lossy(std::u16string_view text);

} // namespace sfx
