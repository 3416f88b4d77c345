// Error and information boxes in the user's language, with a quiet mode.
#pragma once

#include <string>

/// Second base of the classes that report to the user.
class Status {
public:
    /// Decides the language once (getLanguage).
    Status();
    void setQuietMode(bool quiet);
    /// Accepts a progress text; nothing changes on screen.
    void showStatus(const std::string& text);
    /// Accepts a progress value; nothing changes on screen.
    void showStatus(unsigned percentage);
    void setMaxPercentage(unsigned maximum);
    /// Shows message + language suffix (no detail) or message, CR CR, detail; nothing in quiet mode.
    void showError(const std::string& message, const std::string& detail = std::string());
    /// As above; a null detail is no detail.
    void showError(const std::string& message, const char* detail);
    /// Shows an information box, whatever the quiet mode.
    void showMessage(const std::string& text);

    const std::string& languageName() const { return language; }
    bool isQuiet() const { return quietMode; }

private:
    unsigned maxPercentage = 100;
    bool quietMode = false;
    std::string language;
};

/// The suffix that showError appends for a language without detail (english for unknown names).
const char* errorSuffix(const std::string& language);
/// The text of an error box in the language: message + suffix, or message "\r\r" detail.
std::string composeError(const std::string& language, const std::string& message, const std::string& detail);

inline constexpr const char* ShowDialogFilename = "__qbxshow.sem";
