#include "locale/language.h"

#include <cstdio>
#include <vector>

#include "exec/fexists.h"
#include "exec/strutil.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace {

constexpr const char* InternationalEntry = "Control Panel\\International";
constexpr const char* LocaleNameField = "LocaleName";
// The registry text is read as into a buffer of this size (longer values are cut).
constexpr std::size_t LocaleTextLimit = 201;
constexpr const char* EnglishLanguage = "english";
constexpr const char* JapaneseLanguage = "japanese";

struct LanguageRow {
    const char* language;
    std::vector<std::string> names;    // the whole text equals one of these
    std::vector<std::string> prefixes; // or begins with one of these
    const char* label;                 // record label in "locale.log"
};

// Tested top to bottom; the first row that matches decides, everything else is English.
// Besides English names of the languages, their names in other languages and Windows'
// three-letter abbreviations, each row accepts the culture names that Windows has stored in
// "LocaleName" since Vista: the bare ISO 639-1 code ("fr") and code plus region ("fr-CA").
//
// Accented letters are stored and compared as UTF-8. normalizeLocaleText brings the registry
// text to the same form: UTF-8 as such (the Linux stand-in, and a Windows backend that reads
// the wide value), anything that is not valid UTF-8 read as Windows-1252, the ANSI code page of
// every language here whose names carry accents; capitals are lowered in ASCII and Latin-1.
const std::vector<LanguageRow>& languageTable()
{
    static const std::vector<LanguageRow> table = {
        {"french",
         {"french", "fr"},
         {"french-belgian", "frc", "french-canadian", "fra", "frb", "french-swiss", "frs", "fran\u00e7ais",
          "franzosen", "francesi", "franceses", "franc\u00e9s", "fr-"},
         "French found"},
        {"german",
         {"german", "de"},
         {"dea", "german-austrian", "deu", "des", "german-swiss", "swiss", "deutsch", "alem\u00e1n", "alem\u00e3o",
          "tedesco", "allemand", "de-"},
         "German found"},
        {"spanish",
         {"spanish", "es"},
         {"esp", "esm", "spanish-mexican", "esn", "spanish-modern", "espa\u00f1oles", "espanh\u00f3is", "spagnoli",
          "spanisch", "espagnols", "es-"},
         "Spanish found"},
        {"polish", {"polish", "pl"}, {"plk", "pl-"}, "Polish found"},
        {"japanese", {"japanese", "ja"}, {"jpn", "ja-"}, "Japanese found"},
        {"italian", {"italian", "it"}, {"italian-swiss", "ita", "its", "italiano", "it-"}, "Italian found"},
        {"portuguese",
         {"portuguese", "pt"},
         {"portuguese-brasilian", "ptb", "ptg", "portugueses", "pt-"},
         "Portuguese found"},
        {"dutch",
         {"dutch", "nl"},
         {"dutch (standard)", "dutch (belgian)", "dutch-standard", "dutch-belgian", "landinstellingen", "nl-"},
         "Dutch found"},
    };
    return table;
}

// Windows-1252 code points of the bytes 0x80 to 0x9F (0 where the code page has none).
constexpr char32_t Windows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Length of the UTF-8 sequence at text[i]; 0 when it is not valid UTF-8.
std::size_t sequenceLength(const std::string& text, std::size_t i)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if (i + k >= text.size())
            return 0;
        unsigned char c = byte(i + k);
        if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF))
            return 0;
    }
    return length;
}

// true when text[i..] is the start of a UTF-8 sequence cut off by the end of the text.
bool cutSequence(const std::string& text, std::size_t i)
{
    unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (needed == 0 || text.size() - i >= needed || lead > 0xF4)
        return false;
    for (std::size_t k = i + 1; k < text.size(); ++k)
        if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80)
            return false;
    return true;
}

// The text as UTF-8. A character cut off at the end (a long value cut to the buffer) is
// dropped; any other invalid byte means the text was never UTF-8: it is Windows-1252.
std::string asUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t length = sequenceLength(text, i);
        if (length == 0)
            break;
        i += length;
    }
    if (i == text.size())
        return text;
    if (cutSequence(text, i))
        return text.substr(0, i);
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0xA0)
            appendUtf8(out, Windows1252High[c - 0x80] != 0 ? Windows1252High[c - 0x80] : 0xFFFD);
        else
            appendUtf8(out, c);
    }
    return out;
}

// Appends one record to "locale.log", only when that file already exists.
void logLocaleMsg(const std::string& label, const std::string& locale, const std::string& language)
{
    if (!fexists(LocaleLogFilename))
        return;
    std::FILE* file = platform::openFile(LocaleLogFilename, "at");
    if (file == nullptr)
        return;
    std::string record = label + " locale: " + locale + " language: " + language + "\n";
    std::fputs(record.c_str(), file);
    std::fclose(file);
}

} // namespace

std::string normalizeLocaleText(const std::string& localeText)
{
    std::string text = toLower(asUtf8(localeText));
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        // Latin-1 capitals U+00C0..U+00DE (but U+00D7, the multiplication sign) are C3 80..9E.
        unsigned char next = static_cast<unsigned char>(text[i + 1]);
        if (static_cast<unsigned char>(text[i]) == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97)
            text[++i] = static_cast<char>(next + 0x20);
    }
    return text;
}

std::string languageForLocale(const std::string& localeText, std::string& label)
{
    std::string text = normalizeLocaleText(localeText);
    for (const LanguageRow& row : languageTable()) {
        bool match = false;
        for (const std::string& name : row.names)
            match = match || text == name;
        for (const std::string& prefix : row.prefixes)
            match = match || beginsWith(text, prefix);
        if (match) {
            label = row.label;
            return row.language;
        }
    }
    label = "English found";
    return EnglishLanguage;
}

void getLanguage(std::string& language)
{
    language.clear();
    std::string locale;
    platform::RegKey key;
    if (platform::regOpenKey(platform::RegRoot::CurrentUser, InternationalEntry, platform::RegAccess::QueryValue,
                             key)) {
        if (!platform::regQueryString(key, LocaleNameField, locale, LocaleTextLimit))
            locale.clear();
        platform::regCloseKey(key);
    }
    // A missing key or value, or an empty one, leaves no record: there was nothing to decide on.
    if (!locale.empty()) {
        std::string label;
        language = languageForLocale(locale, label);
        logLocaleMsg(label, normalizeLocaleText(locale), language);
        logLocaleMsg("getLang", locale, language);
    }
    if (language.empty())
        language = EnglishLanguage;
}

bool isJapanese(const std::string& language)
{
    return equalsIgnoringCase(language, JapaneseLanguage);
}

void setWindowCharType(platform::WindowHandle window)
{
    std::string language;
    getLanguage(language);
    if (isJapanese(language))
        platform::applyJapaneseFont(window);
}

void selectControlIdCharType(platform::WindowHandle dialog, unsigned controlId, const std::string& language)
{
    if (!isJapanese(language))
        return;
    platform::WindowHandle control = platform::dialogItem(dialog, controlId);
    if (control != nullptr)
        platform::applyJapaneseFont(control);
}
