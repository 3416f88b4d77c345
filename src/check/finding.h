// What the packager's check tool reports: one finding per line, and their tally.
#pragma once

#include <string>
#include <vector>

/// How much a finding matters: an error fails the check, a warning does not.
enum class Severity { Ok, Warning, Error };

/// One line of the report: its severity, the key or file it concerns and what was found.
struct Finding {
    Severity severity;
    std::string subject;
    std::string text;
};

/// The findings in the order they were made.
class Findings {
public:
    void add(Severity severity, const std::string& subject, const std::string& text)
    {
        items.push_back({severity, subject, text});
    }
    void ok(const std::string& subject, const std::string& text) { add(Severity::Ok, subject, text); }
    void warning(const std::string& subject, const std::string& text) { add(Severity::Warning, subject, text); }
    void error(const std::string& subject, const std::string& text) { add(Severity::Error, subject, text); }

    const std::vector<Finding>& all() const { return items; }
    /// The number of findings of that severity.
    std::size_t count(Severity severity) const
    {
        std::size_t n = 0;
        for (const Finding& finding : items)
            n += finding.severity == severity;
        return n;
    }

private:
    std::vector<Finding> items;
};

/// The report line of a finding: "error: subject: text" (and "warning:", "ok:").
std::string findingLine(const Finding& finding);
