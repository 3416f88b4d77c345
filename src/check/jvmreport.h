// What "qbxcheck --find" shows: every JVM the launcher's two searches would consider on this
// machine, each judged as an install run judges it, and the one the run would use.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control/getparam.h"

/// One JVM a search came upon, and the verdict on it.
struct JvmSighting {
    std::string search;     // "JavaSoft" or "extended"
    std::string source;     // the registry key or variable that names it
    std::string home;       // its folder as recorded
    std::string registered; // the version its record gives ("" when none)
    std::string reported;   // the version the test program reported ("" when it did not run)
    std::string executable; // the executable tested
    bool accepted = false;
    std::string verdict;    // "accepted" or "turned down: <why>"
};

/// The report line of a sighting; every source of every search prints through it.
std::string sightingLine(const JvmSighting& sighting);

/// "64-bit" or "32-bit" from a Windows (PE) or Linux (ELF) executable's header, else "bitness unknown".
std::string executableBitness(const std::string& path);

/// The search report for a payload directory; traces and test results go to the current
/// directory, which the caller makes the scratch folder. Installs, registers and deletes nothing.
class JvmReport {
public:
    JvmReport(const std::string& payloadDir, const std::string& scratchDir) : dir(payloadDir), scratch(scratchDir) {}

    /// Prints the limits, every sighting and the launcher's choice; 0 when a JVM would be
    /// used, 1 when none would.
    int run(const std::function<void(const std::string&)>& print);

    /// The JavaSoft version keys, in the order the launcher tries them, each judged.
    std::vector<JvmSighting> javaSoftSightings(const ControlValues& values);
    /// The extended search's candidates, in its order, each judged.
    std::vector<JvmSighting> extendedSightings(const ControlValues& values);
    /// Fills in what the test program and the limits say when a sighting was turned down.
    void explain(const ControlValues& values, JvmSighting& sighting);

private:
    std::string dir;
    std::string scratch;
};
