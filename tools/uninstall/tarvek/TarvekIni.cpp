#include "TarvekIni.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace tarvek
{

CIniSections ReadIniFile(const std::string& path)
{
    CIniSections sections;
    std::ifstream file(path);
    std::string line;
    std::vector<std::string>* current = nullptr;
    while (std::getline(file, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']')
        {
            std::string name = line.substr(1, line.size() - 2);
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            current = &sections[name];
            continue;
        }
        if (current)
            current->push_back(line);
    }
    return sections;
}

bool SplitKeyValue(const std::string& line, std::string& key, std::string& value)
{
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    key = line.substr(0, equals);
    value = line.substr(equals + 1);
    return true;
}

} // namespace tarvek
