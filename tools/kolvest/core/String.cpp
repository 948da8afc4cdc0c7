#include "String.h"

#include "Fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

const char* const kWhite = " \r\n\t";

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

int TextLength(const char* text, int length)
{
    if (!text)
        return 0;
    if (length != String::kUpToTerminator)
        return length < 0 ? 0 : length;
    return int(std::strlen(text));
}

int32_t CapacityFor(int length)
{
    if (length < 64)
        return length + 2;
    if (length <= 16383)
        return length + 40;
    return length + 4096;
}

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

String::String(const char* text)
{
    assign(text);
}

String::String(const char* text, int length)
{
    assign(text, length);
}

String::String(const String& other)
{
    assign(other.c_str(), other.length());
}

String::String(String&& other) noexcept
    : m_data(other.m_data), m_length(other.m_length), m_capacity(other.m_capacity)
{
    other.m_data = nullptr;
    other.m_length = other.m_capacity = 0;
}

String::~String()
{
    std::free(m_data);
}

String& String::operator=(const String& other)
{
    if (this != &other)
        assign(other.c_str(), other.length());
    return *this;
}

String& String::operator=(String&& other) noexcept
{
    if (this != &other)
    {
        std::free(m_data);
        m_data = other.m_data;
        m_length = other.m_length;
        m_capacity = other.m_capacity;
        other.m_data = nullptr;
        other.m_length = other.m_capacity = 0;
    }
    return *this;
}

char String::at(int index) const
{
    if (index < 0 || index >= m_length)
        InternalFatalError("String.cpp", __LINE__);
    return m_data[index];
}

bool String::resize(int length)
{
    if (length <= 0)
    {
        clear();
        return true;
    }
    if (!m_data || m_capacity - 2 < length || length < m_capacity - 1024)
    {
        const int32_t capacity = CapacityFor(length);
        char* data = static_cast<char*>(std::realloc(m_data, size_t(capacity)));
        if (data)
        {
            m_data = data;
            m_capacity = capacity;
        }
        else if (!m_data || m_capacity - 2 < length)
            return false; // a smaller buffer that cannot be had leaves the old one in use
    }
    m_length = length;
    m_data[length] = m_data[length + 1] = '\0';
    return true;
}

void String::clear()
{
    std::free(m_data);
    m_data = nullptr;
    m_length = m_capacity = 0;
}

bool String::replaceRange(int position, int count, const char* text, int length)
{
    length = TextLength(text, length);
    if (position < 0)
        position = 0;
    if (position > m_length)
        position = m_length;
    if (count < 0 || count > m_length - position)
        count = m_length - position;
    // a text inside the own buffer may move with the resize
    std::string copy;
    if (m_data && text >= m_data && text < m_data + m_capacity)
    {
        copy.assign(text, size_t(length));
        text = copy.data();
    }
    const int oldLength = m_length;
    const int newLength = oldLength - count + length;
    const int tail = oldLength - position - count;
    if (newLength < oldLength && m_data)
        std::memmove(m_data + position + length, m_data + position + count, size_t(tail));
    if (!resize(newLength))
        return false;
    if (newLength > oldLength)
        std::memmove(m_data + position + length, m_data + position + count, size_t(tail));
    if (length > 0)
        std::memcpy(m_data + position, text, size_t(length));
    return true;
}

bool String::assign(const char* text, int length)
{
    return replaceRange(0, m_length, text, length);
}

bool String::append(const char* text, int length)
{
    return replaceRange(m_length, 0, text, length);
}

bool String::appendf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    bool ok = needed >= 0;
    if (ok)
    {
        std::string buffer(size_t(needed) + 1, '\0');
        std::vsnprintf(&buffer[0], buffer.size(), format, args);
        ok = append(buffer.data(), needed);
    }
    va_end(args);
    return ok;
}

void String::trim()
{
    trimRight(kWhite);
    trimLeft(kWhite);
}

void String::trimLeft(const char* set)
{
    int n = 0;
    while (n < m_length && std::strchr(set, m_data[n]))
        ++n;
    if (n)
        removeFirst(n);
}

void String::trimRight(const char* set)
{
    int n = m_length;
    while (n > 0 && std::strchr(set, m_data[n - 1]))
        --n;
    if (n != m_length)
        removeLast(m_length - n);
}

bool String::isBlank() const
{
    for (int i = 0; i < m_length; ++i)
    {
        if (!std::strchr(kWhite, m_data[i]))
            return false;
    }
    return true;
}

int String::compare(const char* text) const
{
    return std::strcmp(c_str(), text ? text : "");
}

int String::compareNoCase(const char* text) const
{
    const char* a = c_str();
    const char* b = text ? text : "";
    for (;; ++a, ++b)
    {
        const int d = (unsigned char)LowerAscii(*a) - (unsigned char)LowerAscii(*b);
        if (d || !*a)
            return d;
    }
}

bool String::stripSuffix(const char* suffix)
{
    const int n = int(std::strlen(suffix));
    if (n > m_length || std::memcmp(m_data + m_length - n, suffix, size_t(n)) != 0)
        return false;
    removeLast(n);
    return true;
}

bool String::stripEnclosing(char quote)
{
    if (m_length < 2 || m_data[0] != quote || m_data[m_length - 1] != quote)
        return false;
    removeLast(1);
    removeFirst(1);
    return true;
}

bool String::stripTrailing(char c)
{
    if (!endsWith(c))
        return false;
    removeLast(1);
    return true;
}

bool String::appendIfMissing(char c)
{
    return endsWith(c) || append(c);
}

bool String::stripLeadingOf(const char* set)
{
    if (!m_length || !std::strchr(set, m_data[0]))
        return false;
    removeFirst(1);
    return true;
}

int String::find(char c, int from) const
{
    for (int i = from < 0 ? 0 : from; i < m_length; ++i)
    {
        if (m_data[i] == c)
            return i;
    }
    return npos;
}

int String::findAnyOf(const char* set, int from) const
{
    for (int i = from < 0 ? 0 : from; i < m_length; ++i)
    {
        if (std::strchr(set, m_data[i]))
            return i;
    }
    return npos;
}

int String::findLast(char c, int from) const
{
    for (int i = (from == npos || from >= m_length) ? m_length - 1 : from; i >= 0; --i)
    {
        if (m_data[i] == c)
            return i;
    }
    return npos;
}

int String::findText(const char* text, int from, bool noCase) const
{
    const int n = int(std::strlen(text));
    for (int i = from < 0 ? 0 : from; i + n <= m_length; ++i)
    {
        int k = 0;
        while (k < n &&
               (noCase ? LowerAscii(m_data[i + k]) == LowerAscii(text[k]) : m_data[i + k] == text[k]))
            ++k;
        if (k == n)
            return i;
    }
    return npos;
}

String String::takeLine()
{
    int end = findAnyOf("\r\n");
    if (end == npos)
    {
        String line(std::move(*this));
        clear();
        return line;
    }
    String line(m_data, end);
    int skip = 1;
    if (end + 1 < m_length && IsLineBreak(m_data[end + 1]) && m_data[end + 1] != m_data[end])
        skip = 2;
    removeFirst(end + skip);
    return line;
}

String String::takeUntil(char c)
{
    const int end = find(c);
    if (end == npos)
    {
        String part(std::move(*this));
        clear();
        return part;
    }
    String part(m_data, end);
    removeFirst(end + 1);
    return part;
}

String String::takeQuoted(char quote)
{
    String inside;
    int i = 1;
    while (i < m_length)
    {
        if (m_data[i] == quote)
        {
            if (i + 1 < m_length && m_data[i + 1] == quote)
            {
                inside.append(quote);
                i += 2;
                continue;
            }
            ++i; // the closing quote
            break;
        }
        inside.append(m_data[i++]);
    }
    removeFirst(i);
    return inside;
}

void String::toLower()
{
    for (int i = 0; i < m_length; ++i)
        m_data[i] = LowerAscii(m_data[i]);
}

String String::lowered() const
{
    String copy(*this);
    copy.toLower();
    return copy;
}

String String::mid(int position, int count) const
{
    if (position < 0 || position > m_length)
        return String();
    if (count < 0 || count > m_length - position)
        count = m_length - position;
    return String(m_data + position, count);
}

bool String::wordWrap(int width, const char* breakText)
{
    if (width <= 0)
        return true;
    const int breakLength = int(std::strlen(breakText));
    const char* const breakers = " ,-;>\t\\";
    int lineStart = 0;
    int i = 0;
    while (i < m_length)
    {
        const char c = m_data[i];
        if (IsLineBreak(c))
        {
            i += (i + 1 < m_length && IsLineBreak(m_data[i + 1]) && m_data[i + 1] != c) ? 2 : 1;
            lineStart = i;
            continue;
        }
        if (i - lineStart < width)
        {
            ++i;
            continue;
        }
        // the line holds more than width characters: c is the first one too many
        int breakAt = i;
        if (c == ' ' || c == '\t')
            breakAt = i + 1;
        else
        {
            for (int k = i - 1; k >= lineStart; --k)
            {
                if (std::strchr(breakers, m_data[k]))
                {
                    breakAt = k + 1;
                    break;
                }
            }
        }
        if (breakAt >= m_length || IsLineBreak(m_data[breakAt]))
        {
            i = breakAt;
            continue;
        }
        if (!insert(breakAt, breakText))
            return false;
        i = lineStart = breakAt + breakLength;
    }
    return true;
}

uint32_t String::hash() const
{
    uint32_t hash = 2044902557u;
    int i = 0;
    for (; i + 4 <= m_length; i += 4)
    {
        const auto* b = reinterpret_cast<const unsigned char*>(m_data + i);
        hash += uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    }
    for (; i < m_length; ++i)
        hash += uint32_t(int32_t(static_cast<signed char>(m_data[i])));
    return hash + uint32_t(m_length);
}

bool String::operator==(const String& other) const
{
    return m_length == other.m_length && std::memcmp(c_str(), other.c_str(), size_t(m_length)) == 0;
}
