// Byte string of the core library. Bytes are single-byte characters; comparisons are byte-wise and
// the case-insensitive ones fold ASCII letters only. A string that never held anything has no
// buffer and reads as "". A held text is followed by two zero bytes.
//
// Buffer size for n bytes: n + 2 below 64, n + 40 up to 16383, n + 4096 above. A resize keeps the
// buffer unless the text no longer fits or more than 1024 bytes would stay free. An edit whose
// buffer cannot be allocated leaves the string as it was and returns false.
#pragma once

#include <cstdint>

class String
{
public:
    static constexpr int npos = -1;
    static constexpr int kUpToTerminator = 2147483647;

    String() = default;
    String(const char* text);
    String(const char* text, int length);
    String(const String& other);
    String(String&& other) noexcept;
    virtual ~String();
    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;

    const char* c_str() const { return m_data ? m_data : ""; }
    int length() const { return m_length; }
    int capacity() const { return m_capacity; }
    bool isEmpty() const { return m_length == 0; }
    // Fatal (internal error) outside the text.
    char at(int index) const;
    char first() const { return m_length ? m_data[0] : '\0'; }
    char last() const { return m_length ? m_data[m_length - 1] : '\0'; }

    // The core edit on which every other rests; text may lie inside this string's own buffer.
    bool replaceRange(int position, int count, const char* text, int length);
    bool assign(const char* text, int length = kUpToTerminator);
    bool append(const String& text) { return append(text.c_str(), text.length()); }
    bool append(const char* text, int length = kUpToTerminator);
    bool append(char c) { return append(&c, 1); }
    bool appendf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    bool insert(int position, const char* text) { return replaceRange(position, 0, text, kUpToTerminator); }
    bool insert(int position, const String& text)
    {
        return replaceRange(position, 0, text.c_str(), text.length());
    }

    void removeFirst(int count) { replaceRange(0, count, "", 0); }
    void removeLast(int count) { replaceRange(m_length - count, count, "", 0); }
    void clear();
    // Blank, CR, LF and tab at both ends.
    void trim();
    void trimLeft(const char* set);
    void trimRight(const char* set);

    // Length 0, or only blanks, CR, LF and tabs.
    bool isBlank() const;
    bool startsWith(char c) const { return m_length > 0 && m_data[0] == c; }
    bool endsWith(char c) const { return m_length > 0 && m_data[m_length - 1] == c; }
    bool endsWithLineBreak() const { return endsWith('\r') || endsWith('\n'); }
    // Byte-wise with the terminator: 0 when equal; null compares equal only to "".
    int compare(const char* text) const;
    int compareNoCase(const char* text) const;

    bool stripSuffix(const char* suffix);
    // Removes the first and last character when the text both begins and ends with the quote.
    bool stripEnclosing(char quote = '"');
    // Removes one trailing c.
    bool stripTrailing(char c);
    bool appendIfMissing(char c);
    // Removes one leading character of the set.
    bool stripLeadingOf(const char* set);

    int find(char c, int from = 0) const;
    int findAnyOf(const char* set, int from = 0) const;
    // Backwards from position from (the end with npos).
    int findLast(char c, int from = npos) const;
    int findText(const char* text, int from = 0, bool noCase = false) const;

    // Takes the text up to the next line break (CR, LF, CR LF or LF CR) off the front.
    String takeLine();
    // Takes the text up to c off the front; c is dropped; all of it when c is missing.
    String takeUntil(char c);
    // Takes a quoted part off the front (the text must begin with the quote): its inside, with two
    // quotes in a row standing for one; without a closing quote, the rest of the text.
    String takeQuoted(char quote = '"');

    void toLower();
    String lowered() const;
    String mid(int position, int count = kUpToTerminator) const;

    // Inserts breakText so that no line is longer than width (see Console.h); nothing when width <= 0.
    bool wordWrap(int width, const char* breakText = "\r\n");

    // 2044902557, plus each whole 4-byte little-endian word as a signed 32-bit value, the remaining
    // bytes as signed bytes, and the length; all with 32-bit wrap-around.
    uint32_t hash() const;

    bool operator==(const String& other) const;
    bool operator!=(const String& other) const { return !(*this == other); }

private:
    bool resize(int length);

    char* m_data = nullptr;
    int32_t m_length = 0;
    int32_t m_capacity = 0;
};
