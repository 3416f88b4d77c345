// libFuzzer target: three versions from one input (split at line feeds) must be in one consistent
// order, and the same input as the test program's result file ("jvmGood.txt") is read against
// them as limits without harm.
#include <cstddef>
#include <cstdint>
#include <string>

#include "discovery/jvmok.h"
#include "discovery/jvmversion.h"
#include "testing/fuzzinput.h"

namespace {

using fuzzing::check;

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> parts = fuzzing::splitInput(data, size, '\n');
    parts.resize(3);
    const std::string* v[3] = {&parts[0], &parts[1], &parts[2]};

    int order[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            order[i][j] = compareVersions(*v[i], *v[j]);
    for (int i = 0; i < 3; ++i) {
        check(order[i][i] == 0);
        for (int j = 0; j < 3; ++j) {
            // Antisymmetric.
            check(sign(order[i][j]) == -sign(order[j][i]));
            for (int k = 0; k < 3; ++k) {
                // Transitive, for "below or equal", "below" and "equal".
                if (order[i][j] <= 0 && order[j][k] <= 0)
                    check(order[i][k] <= 0);
                if (order[i][j] < 0 && order[j][k] <= 0)
                    check(order[i][k] < 0);
                if (order[i][j] == 0 && order[j][k] == 0)
                    check(order[i][k] == 0);
            }
        }
        // A version meets itself as a limit.
        check(compareVersionToLimit(*v[i], *v[i]) == 0);
        std::string family;
        std::string micro;
        parseVersion(*v[i], family, micro);
        check(family.size() <= v[i]->size());
    }

    fuzzing::writeInputFile("jvmGood.txt", data, size);
    JvmOk jvmOk;
    jvmOk.checkVersion("jvmGood.txt", *v[0], "", "");
    jvmOk.checkVersion("jvmGood.txt", "", *v[1], *v[2]);
    std::string line = parts[0];
    jvmOk.testLine(line, "", "", "");
    // The version is the first-digit-to-last-digit run of the line.
    check(line.empty() || (line.front() >= '0' && line.front() <= '9' && line.back() >= '0' && line.back() <= '9'));
    return 0;
}
