#include "check/jvmreport.h"

#include <algorithm>
#include <cstdio>

#include "check/payloadcheck.h"
#include "control/extsearchkey.h"
#include "discovery/extjvmsearch.h"
#include "discovery/findjvm.h"
#include "discovery/jvmbits.h"
#include "discovery/jvmok.h"
#include "discovery/jvmwin.h"
#include "exec/clib.h"
#include "exec/fexists.h"
#include "exec/strutil.h"
#include "launcher/provision.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace {

constexpr const char* ControlFile = "qbx.control";
constexpr const char* TestProgram = "TestJvm.class";

} // namespace

std::string executableBitness(const std::string& path)
{
    // Windows images as the launcher itself reads them; the Linux build's JVMs by their ELF class.
    JvmBits bits = executableBits(path);
    if (bits != JvmBits::Unknown)
        return bitsName(bits);
    std::string answer = "bitness unknown";
    if (std::FILE* in = platform::openFile(path, "rb")) {
        unsigned char header[5] = {};
        if (std::fread(header, 1, sizeof header, in) == sizeof header && header[0] == 0x7f && header[1] == 'E' &&
            header[2] == 'L' && header[3] == 'F')
            answer = header[4] == 2 ? "64-bit" : header[4] == 1 ? "32-bit" : answer;
        std::fclose(in);
    }
    return answer;
}

std::string sightingLine(const JvmSighting& sighting)
{
    std::string versions;
    if (!sighting.registered.empty())
        versions = "registered " + sighting.registered;
    if (!sighting.reported.empty())
        versions += (versions.empty() ? "" : ", ") + std::string("reports ") + sighting.reported;
    if (versions.empty())
        versions = "version unknown";
    return "jvm: " + sighting.search + " " + sighting.source + ": " +
           (sighting.home.empty() ? "(no folder)" : sighting.home) + " (" + versions + ", " +
           executableBitness(sighting.executable) + "): " + sighting.verdict;
}

int JvmReport::run(const std::function<void(const std::string&)>& print)
{
    std::string bytes;
    if (std::FILE* in = platform::openFile(dir + "\\" + ControlFile, "rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
            bytes.append(buffer, n);
        std::fclose(in);
    } else {
        print("warning: qbx.control: missing, the launcher's defaults apply");
    }
    ControlValues values;
    PayloadCheck reader(dir, scratch);
    if (!reader.readValues(bytes, values)) {
        print("error: qbx.control: could not be read through a copy in " + scratch);
        return 1;
    }
    // The test program runs from the current directory, as in an install run.
    if (fexists(dir + "\\" + TestProgram))
        copyFile(dir + "\\" + TestProgram, TestProgram);
    else
        print("warning: TestJvm.class: missing, JVMs are accepted unproven");
    print("limits: " + versionDescription(values.jvmRequiredVersion, values.jvmMinVersion, values.jvmMaxVersion) +
          ", " + values.jvmName + ", " + values.jvmCommandName);

    if (equalsIgnoringCase(values.searchForJvm, "no") || equalsIgnoringCase(values.searchForJvm, "none")) {
        print("the launcher does not search: searchForJvm=" + values.searchForJvm);
        return 1;
    }
    const bool extended = extendedJvmSearchValue(values.extendedJvmSearch);
    std::vector<JvmSighting> sightings = javaSoftSightings(values);
    if (extended) {
        std::vector<JvmSighting> more = extendedSightings(values);
        sightings.insert(sightings.end(), more.begin(), more.end());
    } else {
        print("the extended search is off: extendedJvmSearch=" + values.extendedJvmSearch);
    }
    for (const JvmSighting& sighting : sightings)
        print(sightingLine(sighting));

    // The choice comes from the launcher's own searches, called as an install run calls them.
    std::string name = values.jvmCommandName, path;
    FindJvm javaSoft;
    std::string how = "JavaSoft keys";
    bool found = javaSoft.isJvmInstalled(values.jvmRequiredVersion, values.jvmMinVersion, values.jvmMaxVersion,
                                         values.jvmName, name, path);
    if (!found) {
        ExtendedJvmSearch search;
        how = "extended search";
        found = search.isJvmInstalled(extended, values.jvmRequiredVersion, values.jvmMinVersion,
                                      values.jvmMaxVersion, values.jvmName, name, path);
    }
    if (found) {
        print("the launcher would use: " + path + " (" + how + ")");
        return 0;
    }
    print(std::string("the launcher would use: none; ") +
          (provisionWay(values.jvmInstallerType) == ProvisionWay::None ? "it stops with an error"
                                                                       : "it provides the payload's JVM"));
    return 1;
}

std::vector<JvmSighting> JvmReport::javaSoftSightings(const ControlValues& values)
{
    std::vector<JvmSighting> sightings;
    JvmWin search;
    for (const char* keyPath : {JreEntry, JdkEntry, PluginEntry}) {
        platform::RegKey key;
        if (!platform::regOpenKey(platform::RegRoot::LocalMachine, keyPath, platform::RegAccess::Read, key))
            continue;
        std::vector<std::string> versions;
        search.getAvailableVersions(key, versions);
        platform::regCloseKey(key);
        // Highest first, as the launcher tries them.
        std::sort(versions.begin(), versions.end(),
                  [](const std::string& a, const std::string& b) { return compareStrings(a, b) > 0; });
        for (const std::string& version : versions) {
            JvmSighting sighting;
            sighting.search = "JavaSoft";
            sighting.source = std::string("HKLM\\") + keyPath + "\\" + version;
            sighting.registered = version;
            std::string name = values.jvmCommandName;
            sighting.accepted = search.lookUpRegistryEntryForJvm(
                keyPath, values.jvmRequiredVersion, values.jvmMinVersion, values.jvmMaxVersion, sighting.registered,
                name, sighting.home, sighting.executable);
            explain(values, sighting);
            sightings.push_back(sighting);
        }
    }
    return sightings;
}

std::vector<JvmSighting> JvmReport::extendedSightings(const ControlValues& values)
{
    std::vector<JvmSighting> sightings;
    ExtendedJvmSearch search;
    for (const JvmCandidate& candidate : search.collectCandidates(values.jvmCommandName)) {
        JvmSighting sighting;
        sighting.search = "extended";
        sighting.source = candidate.source;
        sighting.home = candidate.home;
        sighting.registered = candidate.version;
        if (!candidate.verdict.empty()) {
            // A folder others can change: the launcher never runs it, nor does the check.
            sighting.verdict = "turned down: " + candidate.verdict;
            sightings.push_back(sighting);
            continue;
        }
        std::string name = values.jvmCommandName;
        JvmOk test;
        sighting.accepted = test.jvmCorrectVersion(values.jvmRequiredVersion, values.jvmMinVersion,
                                                   values.jvmMaxVersion, candidate.home, name, sighting.executable);
        sighting.reported = test.reportedVersion();
        explain(values, sighting);
        sightings.push_back(sighting);
    }
    return sightings;
}

void JvmReport::explain(const ControlValues& values, JvmSighting& sighting)
{
    // Run once more without limits: what does the JVM say about itself?
    JvmOk probe;
    std::string name = values.jvmCommandName, path;
    const bool runs = probe.jvmCorrectVersion("", "", "", sighting.home, name, path);
    sighting.reported = probe.reportedVersion();
    if (sighting.executable.empty() || !fexists(sighting.executable))
        sighting.executable = path;
    const bool proven = fexists(TestProgram);
    if (sighting.accepted)
        sighting.verdict = proven ? "accepted" : "accepted unproven (no TestJvm.class)";
    else if (!fexists(sighting.home + "\\" + name) && !fexists(sighting.home + "\\bin\\" + name))
        sighting.verdict = "turned down: no " + name + " in its folder or its bin folder";
    else if (!runs)
        sighting.verdict = "turned down: the test program did not run with it";
    else if (!probe.verifyVersion(values.jvmRequiredVersion, values.jvmMinVersion, values.jvmMaxVersion,
                                  sighting.reported))
        sighting.verdict = "turned down: its version is outside the limits";
    else
        sighting.verdict = "turned down: its registered version is outside the limits";
}
