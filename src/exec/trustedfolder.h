// Whether a folder is one that only administrators, the system and the running user control.
#pragma once

#include <string>

/// true when the folder exists and it and every level between its drive root and it (as the
/// system resolves them: links followed) are owned by, and can be changed by, no one but
/// administrators, the system and the user running the launcher. Otherwise false, and why names
/// the first level that fails and the reason. The drive root itself is not judged: every user
/// may make folders there, but not change those of others.
bool onlyTrustedCanChange(const std::string& folder, std::string& why);
