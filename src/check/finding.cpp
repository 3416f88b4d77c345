#include "check/finding.h"

std::string findingLine(const Finding& finding)
{
    const char* label = finding.severity == Severity::Error     ? "error: "
                        : finding.severity == Severity::Warning ? "warning: "
                                                                : "ok: ";
    return label + finding.subject + ": " + finding.text;
}
