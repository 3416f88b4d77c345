#include "launcher/cmdtokens.h"

std::vector<std::string> splitAtBlanks(const std::string& text)
{
    std::vector<std::string> tokens;
    std::string::size_type start = 0;
    for (;;) {
        auto blank = text.find(' ', start);
        if (blank == std::string::npos) {
            tokens.push_back(text.substr(start));
            return tokens;
        }
        tokens.push_back(text.substr(start, blank - start));
        start = blank + 1;
    }
}

bool isQuietCommandLine(const std::string& commandLine)
{
    if (commandLine.empty())
        return false;
    std::vector<std::string> tokens = splitAtBlanks(commandLine);
    for (size_t i = 0; i + 1 < tokens.size(); ++i)
        if (tokens[i] == QuietSwitch || tokens[i] == PropertiesSwitch)
            return true;
    return false;
}

namespace {

// Cuts the text at its first double quote; true when there was one.
bool cutAtQuote(std::string& text)
{
    auto quote = text.find('"');
    if (quote == std::string::npos)
        return false;
    text.resize(quote);
    return true;
}

} // namespace

WorkerArguments parseWorkerArguments(const std::string& commandLine)
{
    WorkerArguments result;
    std::vector<std::string> tokens = splitAtBlanks(commandLine);
    bool inQuotes = false;
    for (size_t i = 0; i + 1 < tokens.size(); ++i) {
        std::string token = tokens[i];
        if (token == QuietSwitch) {
            result.quiet = true;
            continue;
        }
        if (token == PropertiesSwitch) {
            result.properties = true;
            continue;
        }
        if (!result.quiet && !result.properties)
            continue;
        if (result.details.empty()) {
            auto quote = token.find('"');
            if (quote != std::string::npos) {
                token.erase(0, quote + 1);
                inQuotes = true;
                // A quoted word that closes in the same token: the closing quote ends the details
                // instead of becoming part of them.
                if (cutAtQuote(token))
                    inQuotes = false;
            }
            result.details = token;
        } else if (inQuotes) {
            if (cutAtQuote(token))
                inQuotes = false;
            result.details += " " + token;
        }
    }
    const std::string& last = tokens.back();
    if ((result.quiet || result.properties) && !last.empty()) {
        if (result.details.empty()) {
            result.details = last;
        } else if (inQuotes) {
            std::string token = last;
            cutAtQuote(token);
            result.details += " " + token;
        }
    }
    return result;
}

std::string trimStartDirLine(std::string line)
{
    while (line.size() > 1 && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    if (line.size() == 1 && (line[0] == '\n' || line[0] == '\r'))
        line.clear(); // an empty first line gives an empty start directory
    return line;
}
