// The localized status texts: five progress messages and the status window's first text.
#pragma once

#include <string>

#include "platform/ui.h"

/// The text of status message id (1 to 5) in the language; "" for any other id. Unknown
/// language names get the english texts.
std::string statusMessage(const std::string& language, unsigned id);
/// The status window's first text in the language (english for unknown names).
std::string initialMessage(const std::string& language);
/// The first text for the user's language, with the Japanese font prepared on the control.
void getMessage(platform::WindowHandle dialog, unsigned controlId, std::string& text);
