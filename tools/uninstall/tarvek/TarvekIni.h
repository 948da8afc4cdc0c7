#pragma once
// The library's data files: "[section]" headers, ';' comments, UTF-8 lines kept in order.

#include <map>
#include <string>
#include <vector>

namespace tarvek
{

using CIniSections = std::map<std::string, std::vector<std::string>>;

// Section names are compared without regard to case (stored in lower case). A missing file
// reads as no sections.
CIniSections ReadIniFile(const std::string& path);

// Splits "key=value" at the first '='; false without one.
bool SplitKeyValue(const std::string& line, std::string& key, std::string& value);

} // namespace tarvek
