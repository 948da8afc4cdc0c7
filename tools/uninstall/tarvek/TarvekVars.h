#pragma once
// Variables and texts of the library. EvalVar: "%NAME%" gives the variable's value (empty when
// unset, "%%" a percent sign); an expression beginning with '#' is a key of the language table
// whose text is evaluated in turn.

#include <map>
#include <string>

namespace tarvek
{

class CTarvekVars
{
public:
    void set(const std::string& name, const std::string& value);
    std::string get(const std::string& name) const;

    // Reads block `languageId` of the language table ("@<id>" lines open blocks).
    void loadLanguage(const std::string& path, int languageId);
    std::string eval(const std::string& expression) const;

private:
    static std::string key(const std::string& name);
    std::string expand(const std::string& text) const;

    std::map<std::string, std::string> m_vars;
    std::map<std::string, std::string> m_texts;
};

// 1031 when the locale's language is German, else 1033.
int SystemLanguageId();

} // namespace tarvek
