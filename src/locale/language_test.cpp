#include "locale/language.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "locale/testlocale.h"
#include "testing/tempdir.h"

namespace {

using testing_support::readFile;
using testing_support::ScopedLocale;
using testing_support::TempDir;

struct LocaleCase {
    const char* locale;
    const char* language;
    const char* label;
};

// Every row by its exact name and by each of its prefixes, in the case Windows may use.
const LocaleCase TableCases[] = {
    {"French", "french", "French found"},
    {"french-belgian", "french", "French found"},
    {"FRC", "french", "French found"},
    {"French-Canadian", "french", "French found"},
    {"fra", "french", "French found"},
    {"frb", "french", "French found"},
    {"French-Swiss", "french", "French found"},
    {"frs", "french", "French found"},
    {"fran\u00e7ais", "french", "French found"},
    {"Franzosen", "french", "French found"},
    {"francesi", "french", "French found"},
    {"franceses", "french", "French found"},
    {"franc\u00e9s", "french", "French found"},
    {"German", "german", "German found"},
    {"dea", "german", "German found"},
    {"German-Austrian", "german", "German found"},
    {"DEU", "german", "German found"},
    {"des", "german", "German found"},
    {"german-swiss", "german", "German found"},
    {"Swiss German", "german", "German found"},
    {"Deutsch", "german", "German found"},
    {"alem\u00e1n", "german", "German found"},
    {"alem\u00e3o", "german", "German found"},
    {"Tedesco", "german", "German found"},
    {"Allemand", "german", "German found"},
    {"Spanish", "spanish", "Spanish found"},
    {"Espanol", "spanish", "Spanish found"},
    {"esm", "spanish", "Spanish found"},
    {"Spanish-Mexican", "spanish", "Spanish found"},
    {"esn", "spanish", "Spanish found"},
    {"spanish-modern", "spanish", "Spanish found"},
    {"espa\u00f1oles", "spanish", "Spanish found"},
    {"espanh\u00f3is", "spanish", "Spanish found"},
    {"spagnoli", "spanish", "Spanish found"},
    {"Spanisch", "spanish", "Spanish found"},
    {"espagnols", "spanish", "Spanish found"},
    {"Polish", "polish", "Polish found"},
    {"PLK", "polish", "Polish found"},
    {"Japanese", "japanese", "Japanese found"},
    {"jpn", "japanese", "Japanese found"},
    {"Italian", "italian", "Italian found"},
    {"italian-swiss", "italian", "Italian found"},
    {"ITA", "italian", "Italian found"},
    {"its", "italian", "Italian found"},
    {"Italiano", "italian", "Italian found"},
    {"Portuguese", "portuguese", "Portuguese found"},
    {"Portuguese-Brasilian", "portuguese", "Portuguese found"},
    {"ptb", "portuguese", "Portuguese found"},
    {"PTG", "portuguese", "Portuguese found"},
    {"Portugueses", "portuguese", "Portuguese found"},
    {"Dutch", "dutch", "Dutch found"},
    {"Dutch (Standard)", "dutch", "Dutch found"},
    {"Dutch (Belgian)", "dutch", "Dutch found"},
    {"dutch-standard", "dutch", "Dutch found"},
    {"Dutch-Belgian", "dutch", "Dutch found"},
    {"Landinstellingen", "dutch", "Dutch found"},
    // Exact names are whole-text comparisons, prefixes only match at the start.
    {"Frenchy", "english", "English found"},
    {"xfra", "english", "English found"},
    {"Polishing", "english", "English found"},
    {"Japan", "english", "English found"},
    {"portuguesa", "english", "English found"},
    {"Netherlands", "english", "English found"},
    {"English", "english", "English found"},
    // The first matching row decides: "swiss" belongs to German, ahead of Italian.
    {"swiss italian", "german", "German found"},
    {"Desktop", "german", "German found"},
};

// Culture names, as "LocaleName" holds them on every current Windows.
const LocaleCase CultureCases[] = {
    {"fr-FR", "french", "French found"},     {"fr-CA", "french", "French found"},
    {"fr", "french", "French found"},        {"de-DE", "german", "German found"},
    {"de-CH", "german", "German found"},     {"de", "german", "German found"},
    {"es-ES", "spanish", "Spanish found"},   {"es-MX", "spanish", "Spanish found"},
    {"es", "spanish", "Spanish found"},      {"pl-PL", "polish", "Polish found"},
    {"pl", "polish", "Polish found"},        {"ja-JP", "japanese", "Japanese found"},
    {"ja", "japanese", "Japanese found"},    {"it-IT", "italian", "Italian found"},
    {"it-CH", "italian", "Italian found"},   {"it", "italian", "Italian found"},
    {"pt-BR", "portuguese", "Portuguese found"}, {"pt-PT", "portuguese", "Portuguese found"},
    {"pt", "portuguese", "Portuguese found"}, {"nl-NL", "dutch", "Dutch found"},
    {"nl-BE", "dutch", "Dutch found"},       {"nl", "dutch", "Dutch found"},
    {"en-US", "english", "English found"},   {"en-GB", "english", "English found"},
    {"en", "english", "English found"},      {"sv-SE", "english", "English found"},
    {"fy-NL", "english", "English found"},   {"frr-DE", "english", "English found"},
    {"fr_FR", "english", "English found"},   {"ja_JP", "english", "English found"},
};

// Accented prefixes arrive as UTF-8 (Linux, or a wide read on Windows) or in Windows-1252.
const LocaleCase EncodingCases[] = {
    {"ALEM\u00c1N", "german", "German found"},
    {"Alem\u00e3o", "german", "German found"},
    {"Alem\xE1n", "german", "German found"},
    {"ALEM\xC3O", "german", "German found"},
    {"Espanh\xF3is", "spanish", "Spanish found"},
    {"Fran\xE7" "ais", "french", "French found"},
    {"alem\u00e9n", "english", "English found"},
};

void expectCases(const LocaleCase* begin, const LocaleCase* end)
{
    for (const LocaleCase* c = begin; c != end; ++c) {
        std::string label = "unset";
        EXPECT_EQ(languageForLocale(c->locale, label), c->language) << c->locale;
        EXPECT_EQ(label, c->label) << c->locale;
    }
}

TEST(LanguageForLocale, EveryRowByNameAndPrefix)
{
    expectCases(std::begin(TableCases), std::end(TableCases));
}

TEST(LanguageForLocale, CultureNames)
{
    expectCases(std::begin(CultureCases), std::end(CultureCases));
}

TEST(LanguageForLocale, AccentedPrefixesInEitherEncoding)
{
    expectCases(std::begin(EncodingCases), std::end(EncodingCases));
}

TEST(NormalizeLocaleText, LowersAndConvertsToUtf8)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"FR-fr", "fr-fr"},
        {"\u00c0\u00c9\u00d6\u00de", "\u00e0\u00e9\u00f6\u00fe"},
        {"A\u00d7B", "a\u00d7b"},                   // the multiplication sign has no small form
        {"\u0141\u00d3D\u0179", "\u0141\u00f3d\u0179"}, // beyond Latin-1 stays as it is
        {"Fran\xC7" "AIS", "fran\u00e7ais"},         // Windows-1252
        {"\x80 \x9F", "\u20ac \u0178"},              // beyond Latin-1 after conversion, kept
        {"alem\xC3", "alem"},                        // a character cut by the buffer limit
        {"ja\xE3\x81", "ja"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(normalizeLocaleText(c.in), c.out) << c.in;
}

TEST(IsJapanese, AnyCaseButNothingMore)
{
    EXPECT_TRUE(isJapanese("japanese"));
    EXPECT_TRUE(isJapanese("Japanese"));
    EXPECT_TRUE(isJapanese("JAPANESE"));
    EXPECT_FALSE(isJapanese("japanese "));
    EXPECT_FALSE(isJapanese("japan"));
    EXPECT_FALSE(isJapanese("jpn"));
    EXPECT_FALSE(isJapanese(""));
}

// Reads a text-mode file the same way on every system.
std::string records(const std::filesystem::path& file)
{
    std::string text = readFile(file);
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

TEST(GetLanguage, ReadsTheUsersLocaleAndRecordsTheDecision)
{
    const struct {
        const char* locale;
        const char* language;
        const char* log;
    } cases[] = {
        {"French", "french",
         "French found locale: french language: french\ngetLang locale: French language: french\n"},
        {"fr-FR", "french", "French found locale: fr-fr language: french\ngetLang locale: fr-FR language: french\n"},
        {"DE-de", "german", "German found locale: de-de language: german\ngetLang locale: DE-de language: german\n"},
        {"en-US", "english",
         "English found locale: en-us language: english\ngetLang locale: en-US language: english\n"},
        {"Netherlands", "english",
         "English found locale: netherlands language: english\ngetLang locale: Netherlands language: english\n"},
    };
    for (const auto& c : cases) {
        TempDir work(true);
        ScopedLocale locale(c.locale);
        ASSERT_TRUE(locale.ok());
        work.write(LocaleLogFilename, "");
        std::string language = "stale";
        getLanguage(language);
        EXPECT_EQ(language, c.language) << c.locale;
        EXPECT_EQ(records(work.path() / LocaleLogFilename), c.log) << c.locale;
    }
}

TEST(GetLanguage, RecordsAreAppended)
{
    TempDir work(true);
    ScopedLocale locale("ja-JP");
    ASSERT_TRUE(locale.ok());
    work.write(LocaleLogFilename, "earlier\n");
    std::string language;
    getLanguage(language);
    getLanguage(language);
    EXPECT_EQ(records(work.path() / LocaleLogFilename),
              "earlier\n"
              "Japanese found locale: ja-jp language: japanese\ngetLang locale: ja-JP language: japanese\n"
              "Japanese found locale: ja-jp language: japanese\ngetLang locale: ja-JP language: japanese\n");
}

TEST(GetLanguage, LocaleLogIsNeverCreated)
{
    TempDir work(true);
    ScopedLocale locale("Polish");
    ASSERT_TRUE(locale.ok());
    std::string language;
    getLanguage(language);
    EXPECT_EQ(language, "polish");
    EXPECT_FALSE(std::filesystem::exists(work.path() / LocaleLogFilename));
}

TEST(GetLanguage, EmptyValueIsEnglishWithoutRecord)
{
    TempDir work(true);
    ScopedLocale locale("");
    ASSERT_TRUE(locale.ok());
    work.write(LocaleLogFilename, "");
    std::string language = "french";
    getLanguage(language);
    EXPECT_EQ(language, "english");
    EXPECT_EQ(readFile(work.path() / LocaleLogFilename), "");
}

TEST(GetLanguage, LongValueIsCutToTheBuffer)
{
    TempDir work(true);
    // 200 bytes are kept: "Deutsch" and 193 more; the accented letter at 199..200 is cut in two.
    std::string value = "Deutsch" + std::string(192, 'x') + "\u00e9" + std::string(100, 'y');
    ScopedLocale locale(value);
    ASSERT_TRUE(locale.ok());
    work.write(LocaleLogFilename, "");
    std::string language;
    getLanguage(language);
    EXPECT_EQ(language, "german");
    std::string log = records(work.path() / LocaleLogFilename);
    EXPECT_NE(log.find("German found locale: deutsch" + std::string(192, 'x') + " language: german\n"),
              std::string::npos)
        << log;
}

} // namespace
