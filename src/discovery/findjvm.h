// Entry point of the search for an installed JVM.
#pragma once

#include <string>

#include "diag/trace.h"
#include "platform/ui.h"

/// Looks for an installed JVM that meets the version limits (required overrides the range;
/// empty texts are no limits). Shows nothing itself.
class FindJvm : public Trace {
public:
    /// The owner window for anything shown on behalf of the search.
    void setHwnd(platform::WindowHandle window) { hwnd = window; }

    /// true when a suitable JVM was found: executablePath is its executable and executableName
    /// the name it was found under. On false the name is as given.
    bool isJvmInstalled(const std::string& required, const std::string& minimum, const std::string& maximum,
                        const std::string& jvmType, std::string& executableName, std::string& executablePath);

private:
    platform::WindowHandle hwnd = nullptr;
};
