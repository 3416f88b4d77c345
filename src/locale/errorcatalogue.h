// The texts of the error boxes in the user's language. The logs keep the English text; only the
// box shows the translation, so that support desks read every log in one language.
#pragma once

#include <string>

/// The English error text in the language (one of the nine names; english for unknown ones).
/// Each line (the text is cut at every carriage return and line feed) is translated on its own,
/// leading blanks and "* " kept; a line with no translation stays as it is.
std::string localizeErrorText(const std::string& language, const std::string& text);
