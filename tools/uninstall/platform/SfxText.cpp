#include "SfxText.h"

namespace sfx
{

namespace
{

bool IsHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80)
    {
        out += char(c);
    }
    else if (c < 0x800)
    {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    else
    {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(WString& out, char32_t c)
{
    if (c < 0x10000)
    {
        out += char16_t(c);
        return;
    }
    c -= 0x10000;
    out += char16_t(0xD800 | (c >> 10));
    out += char16_t(0xDC00 | (c & 0x3FF));
}

// Decodes one code point at i; returns false for malformed, overlong or surrogate sequences.
bool DecodeUtf8(std::string_view s, size_t& i, char32_t& c)
{
    const unsigned char b0 = s[i];
    int extra;
    char32_t min;
    if (b0 < 0x80)
    {
        c = b0;
        ++i;
        return true;
    }
    if ((b0 & 0xE0) == 0xC0)
    {
        c = b0 & 0x1F;
        extra = 1;
        min = 0x80;
    }
    else if ((b0 & 0xF0) == 0xE0)
    {
        c = b0 & 0x0F;
        extra = 2;
        min = 0x800;
    }
    else if ((b0 & 0xF8) == 0xF0)
    {
        c = b0 & 0x07;
        extra = 3;
        min = 0x10000;
    }
    else
    {
        return false;
    }
    if (i + extra >= s.size())
        return false;
    for (int k = 1; k <= extra; ++k)
    {
        const unsigned char b = s[i + k];
        if ((b & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c))
        return false;
    i += extra + 1;
    return true;
}

template <bool Exact> std::optional<std::string> Utf16To8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
        {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        else if (IsHighSurrogate(c) || IsLowSurrogate(c))
        {
            if (Exact)
                return std::nullopt;
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

template <bool Exact> std::optional<WString> Utf8To16(std::string_view text)
{
    WString out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size())
    {
        char32_t c;
        if (!DecodeUtf8(text, i, c))
        {
            if (Exact)
                return std::nullopt;
            c = 0xFFFD;
            ++i;
        }
        AppendUtf16(out, c);
    }
    return out;
}

} // namespace

std::optional<std::string> ToUtf8(std::u16string_view text)
{
    return Utf16To8<true>(text);
}
std::optional<WString> FromUtf8(std::string_view text)
{
    return Utf8To16<true>(text);
}
WString FromUtf8Lossy(std::string_view text)
{
    return *Utf8To16<false>(text);
}
std::string ToUtf8Lossy(std::u16string_view text)
{
    return *Utf16To8<false>(text);
}

} // namespace sfx
