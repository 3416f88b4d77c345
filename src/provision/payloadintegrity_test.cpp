#include "provision/payloadintegrity.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/process.h"
#include "testing/childprogram.h"
#include "testing/tempdir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempDir;

const std::string Abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

TEST(PayloadIntegrity, OnlyTheShippedFileMayRun)
{
    const struct {
        std::string content;
        std::string value;
        bool runs;
        const char* computed; // in the logs of a refusal
    } cases[] = {
        {"abc", Abc, true, ""},
        // As Windows 7's certutil prints it: upper case, the bytes apart.
        {"abc", "BA 78 16 BF 8F 01 CF EA 41 41 40 DE 5D AE 22 23 B0 03 61 A3 96 17 7A 9C B4 10 FF 61 F2 00 15 AD",
         true, ""},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0", true, ""},
        {"abd", Abc, false, "a52d159f262b2c6ddb724a61840befc36eb30c88877a4030b65cbe86298449c9"},
        {"abc", Abc.substr(1), false, Abc.c_str()},
        {"abc", "", true, ""},
    };
    for (const auto& c : cases) {
        TempDir dir(true);
        dir.write("jinstall.log", "");
        const std::string file = dir.write("setup.exe", c.content).string();
        PayloadIntegrity integrity("sha256JvmSelfExtractor");
        integrity.setExpected(c.value);
        SCOPED_TRACE(c.value);
        EXPECT_EQ(integrity.verify(file), c.runs);
        EXPECT_EQ(integrity.isDamaged(), !c.runs);
        const std::string errors = readFile("errors.log"), trace = readFile("jinstall.log");
        if (c.runs) {
            EXPECT_EQ(errors, "");
            EXPECT_NE(trace.find(c.value.empty() ? "not checked (no sha256JvmSelfExtractor): " + file
                                                 : "SHA-256 checked: " + file),
                      std::string::npos);
        }
        // A refusal names the file, the expected and the computed digest in both logs.
        for (const std::string& log : {errors, trace})
            for (const std::string& named : {file, c.value, std::string(c.computed)})
                EXPECT_TRUE(c.runs || log.find(named) != std::string::npos) << named;
    }
}

} // namespace
