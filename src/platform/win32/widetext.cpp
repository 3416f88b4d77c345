#include "platform/win32/widetext.h"

#include "exec/unicode.h"

namespace platform {

// wchar_t is a UTF-16 unit on Windows: the portable conversions apply unit for unit.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring widen(const std::string& text)
{
    std::u16string units = utf8ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

std::string narrow(const std::wstring& text)
{
    return utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

std::string narrow(const wchar_t* text)
{
    return text != nullptr ? narrow(std::wstring(text)) : std::string();
}

} // namespace platform
