// Test helper: the user's "LocaleName" set for one scope, in the test's own registry (natively a
// file of its own; under Wine the prefix's value, exported first and imported again afterwards).
#pragma once

#include <string>

#include "testing/machinekeys.h"
#include "testing/tempdir.h"

namespace testing_support {

class ScopedLocale {
public:
    explicit ScopedLocale(const std::string& localeName)
        : ok_(keys_.setMachineValue("HKCU\\Control Panel\\International", "LocaleName", localeName))
    {
    }

    /// true when the value given to the constructor was stored.
    bool ok() const { return ok_; }

private:
    TempDir dir_;
    MachineKeys keys_{dir_, {}};
    bool ok_;
};

} // namespace testing_support
