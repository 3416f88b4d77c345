// Quoting of one argument for a Windows command line.
#pragma once

#include <string>

/// The text as one argument of a command line that the child's C runtime splits: unchanged
/// without blanks or tabs, or when it holds double quotes of its writer's; otherwise wrapped in
/// double quotes (trailing backslashes doubled so that they do not escape the closing quote).
std::string quoteArgument(const std::string& text);
