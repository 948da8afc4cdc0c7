#include "TarvekVars.h"
#include "TarvekIni.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace tarvek
{

namespace
{

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n')
        {
            out += '\n';
            ++i;
        }
        else
        {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string CTarvekVars::key(const std::string& name)
{
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    return upper;
}

void CTarvekVars::set(const std::string& name, const std::string& value)
{
    m_vars[key(name)] = value;
}

std::string CTarvekVars::get(const std::string& name) const
{
    const auto it = m_vars.find(key(name));
    return it == m_vars.end() ? std::string() : it->second;
}

void CTarvekVars::loadLanguage(const std::string& path, int languageId)
{
    const CIniSections sections = ReadIniFile(path);
    const auto section = sections.find("xrlang");
    if (section == sections.end())
        return;
    const std::string block = "@" + std::to_string(languageId);
    bool inBlock = false;
    for (const std::string& line : section->second)
    {
        if (line.front() == '@')
        {
            inBlock = line == block;
            continue;
        }
        std::string name, text;
        if (inBlock && SplitKeyValue(line, name, text))
            m_texts[key(name)] = Unescape(text);
    }
}

std::string CTarvekVars::expand(const std::string& text) const
{
    std::string out;
    size_t i = 0;
    while (i < text.size())
    {
        const size_t open = text.find('%', i);
        const size_t close = open == std::string::npos ? std::string::npos : text.find('%', open + 1);
        if (close == std::string::npos)
        {
            out += text.substr(i);
            break;
        }
        out += text.substr(i, open - i);
        out += close == open + 1 ? std::string("%") : get(text.substr(open + 1, close - open - 1));
        i = close + 1;
    }
    return out;
}

std::string CTarvekVars::eval(const std::string& expression) const
{
    if (!expression.empty() && expression.front() == '#')
    {
        const auto it = m_texts.find(key(expression));
        return expand(it == m_texts.end() ? expression : it->second);
    }
    return expand(expression);
}

int SystemLanguageId()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::string(value).rfind("de", 0) == 0 ? 1031 : 1033;
    }
    return 1033;
}

} // namespace tarvek
