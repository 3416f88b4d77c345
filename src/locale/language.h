// The user's language from the regional settings, and the Japanese font.
#pragma once

#include <string>

#include "platform/ui.h"

/// The locale text as the language table compares it: UTF-8 (text that is not UTF-8 is read as
/// Windows-1252), ASCII and Latin-1 capitals lower-cased.
std::string normalizeLocaleText(const std::string& localeText);
/// The language name for the locale text of the registry ("english" when nothing matches);
/// label receives the record label of the deciding row.
std::string languageForLocale(const std::string& localeText, std::string& label);
/// One of the nine language names, from HKCU "Control Panel\International" "LocaleName".
void getLanguage(std::string& language);
/// true when the language name is "japanese" in any case (the font operations' test).
bool isJapanese(const std::string& language);
/// Prepares the Japanese font on the window when the user's language is Japanese.
void setWindowCharType(platform::WindowHandle window);
/// Prepares the Japanese font on a dialog control when language is Japanese (any case).
void selectControlIdCharType(platform::WindowHandle dialog, unsigned controlId, const std::string& language);

inline constexpr const char* LocaleLogFilename = "locale.log";
