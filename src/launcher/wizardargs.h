// The argument vector of the Java install wizard.
#pragma once

#include <string>
#include <vector>

struct WizardCommand {
    std::string jvmPath;
    std::string jvmExtraParameters;
    std::string jvmClasspathSwitch;
    std::string loaderClasspath;
    std::string loaderJavaCommand;
    bool quiet = false;
    bool properties = false;
    std::string details;
};

/// Words split at every single blank (two blanks give an empty word); none for an empty text.
std::vector<std::string> blankWords(const std::string& text);
/// The vector: executable name, extra switches, class-path switch, class path, install
/// parameters (one empty element when empty), then "-q"/"-s" and the details in quiet or
/// properties runs with details. The class path and the details are quoted when they hold
/// blanks, so that each reaches the wizard as one argument.
std::vector<std::string> wizardArguments(const WizardCommand& command);
