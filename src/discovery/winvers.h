// Which family of Windows runs the launcher.
#pragma once

#include "diag/trace.h"

/// Tells the Windows NT family from the older family; asks the system once per object.
class WinVersion : public Trace {
public:
    /// true when the system is of the Windows NT family.
    bool winNT();

private:
    bool nt = false;
    bool known = false;
};
