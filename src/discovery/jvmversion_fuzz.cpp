// libFuzzer target: three versions from one input (split at line feeds) must be in one consistent
// order, and the same input as the test program's result file ("jvmGood.txt") is read against
// them as limits without harm.
#include <cstddef>
#include <cstdint>
#include <string>

#include "discovery/jvmok.h"
#include "discovery/jvmversion.h"
#include "testing/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using fuzzing::check;
    std::vector<std::string> v = fuzzing::splitInput(data, size, '\n');
    v.resize(3);
    auto order = [&](int i, int j) { int c = compareVersions(v[i], v[j]); return (c > 0) - (c < 0); };
    for (int i = 0; i < 3; ++i) {
        // Antisymmetric, and transitive for "below or equal", "below" and "equal".
        for (int j = 0; j < 3; ++j) {
            check(order(i, j) == -order(j, i));
            for (int k = 0; k < 3; ++k) {
                check(!(order(i, j) <= 0 && order(j, k) <= 0) || order(i, k) <= 0);
                check(!(order(i, j) < 0 && order(j, k) <= 0) || order(i, k) < 0);
                check(!(order(i, j) == 0 && order(j, k) == 0) || order(i, k) == 0);
            }
        }
        // A version meets itself as a limit.
        check(compareVersionToLimit(v[i], v[i]) == 0);
        std::string family, micro;
        parseVersion(v[i], family, micro);
        check(family.size() <= v[i].size());
    }

    fuzzing::writeInputFile("jvmGood.txt", data, size);
    JvmOk jvmOk;
    jvmOk.checkVersion("jvmGood.txt", v[0], "", "");
    jvmOk.checkVersion("jvmGood.txt", "", v[1], v[2]);
    std::string line = v[0];
    jvmOk.testLine(line, "", "", "");
    // The version is the first-digit-to-last-digit run of the line.
    check(line.empty() || (line.front() >= '0' && line.front() <= '9' && line.back() >= '0' && line.back() <= '9'));
    return 0;
}
