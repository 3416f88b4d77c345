#include "exec/unicode.h"

#include "platform/codepage.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool isSurrogate(char32_t c)
{
    return c >= 0xD800 && c < 0xE000;
}

void appendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(char32_t c, std::u16string& out)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}

/// The character at text[i] (i moves past it), or false and i one byte on for a byte that starts
/// no shortest-form sequence. Surrogates are taken (they stand for lone ones of a file name).
bool decode(const std::string& text, std::size_t& i, char32_t& c)
{
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return false;
    }
    char32_t value = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < Least[length] || value > 0x10FFFF) {
        ++i;
        return false;
    }
    i += length;
    c = value;
    return true;
}

std::string hexEscape(const char* prefix, unsigned value, int digits)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string escape = prefix;
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        escape += Hex[(value >> shift) & 0xF];
    return escape;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string utf16ToUtf8(const std::u16string& units)
{
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        appendUtf8(c, out);
    }
    return out;
}

std::u16string utf8ToUtf16(const std::string& text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = Replacement;
        decode(text, i, c);
        appendUtf16(c, out);
    }
    return out;
}

std::string utf16leToUtf8(const std::string& bytes)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return utf16ToUtf8(units);
}

std::string textFileUtf8(const std::string& bytes)
{
    if (bytes.compare(0, 2, "\xFF\xFE") == 0)
        return utf16leToUtf8(bytes.substr(2));
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return bytes.substr(3);
    return platform::ansiToUtf8(bytes);
}

std::string escapeNonAscii(const std::string& text)
{
    std::string out;
    for (char16_t unit : utf8ToUtf16(text))
        out += unit < 0x80 ? std::string(1, static_cast<char>(unit)) : hexEscape("\\u", unit, 4);
    return out;
}

std::string unescapeUnicode(const std::string& text)
{
    std::u16string units;
    std::string out;
    const auto flush = [&] {
        out += utf16ToUtf8(units);
        units.clear();
    };
    for (std::size_t i = 0; i < text.size();) {
        int value = 0;
        bool escape = text[i] == '\\' && i + 6 <= text.size() && text[i + 1] == 'u';
        for (std::size_t k = 2; escape && k < 6; ++k) {
            int digit = hexValue(text[i + k]);
            escape = digit >= 0;
            value = value * 16 + digit;
        }
        if (escape) {
            units += static_cast<char16_t>(value); // pairs join across two escapes
            i += 6;
        } else if (text[i] == '\\' && i + 1 < text.size()) {
            flush();
            out.append(text, i, 2); // "\\" stays one escape, not the start of another
            i += 2;
        } else {
            flush();
            out += text[i++];
        }
    }
    flush();
    return out;
}

std::string loggableText(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        char32_t c = 0;
        if (!decode(text, i, c))
            out += hexEscape("\\x", static_cast<unsigned char>(text[start]), 2);
        else if (isSurrogate(c))
            out += hexEscape("\\u", c, 4);
        else
            out.append(text, start, i - start);
    }
    return out;
}
