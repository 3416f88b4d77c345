// Test support for JVM provisioning: every folder a selection may write to, inside one tree.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "discovery/sysdirs.h"
#include "platform/process.h"
#include "testing/machinekeys.h"
#include "testing/tempdir.h"

namespace testing_support {

/// The working directory "work dir" (current while the sandbox lives), Program Files, the
/// Windows directory, the shared documents folder and the search path all lie in one temporary
/// tree, and so does the registry. Under Wine the registry values changed are restored, and the
/// Windows directory and the documents folder stay the prefix's own: tests leave them alone.
/// Program Files is named relative to the working directory: a drive root of the selection
/// then stays inside the tree too.
class ProvisionSandbox {
public:
    ProvisionSandbox()
    {
        for (const auto& dir : {work, programFiles, windows, documents, root.path() / "path1", root.path() / "path2"})
            std::filesystem::create_directories(dir);
        previousDir = std::filesystem::current_path();
        std::filesystem::current_path(work);
        setEnv("PATH", expand("{root}\\path1;{root}\\path2"));
        // Only the Linux stand-in moves the documents folder (Wine keeps its own, in the prefix).
        setEnv("QBX_COMMON_DOCUMENTS", windowsForm(documents));
        setProgramFiles(ProgramFilesName);
        if (keys.isStandIn())
            keys.setMachineValue(NtCurrentVersionKey, "SystemRoot", windowsForm(windows));
    }
    ~ProvisionSandbox()
    {
        std::error_code ignored;
        std::filesystem::current_path(previousDir, ignored);
        for (auto it = savedEnv.rbegin(); it != savedEnv.rend(); ++it)
            platform::putEnv(it->first + "=" + it->second);
    }
    ProvisionSandbox(const ProvisionSandbox&) = delete;
    ProvisionSandbox& operator=(const ProvisionSandbox&) = delete;

    /// The path with backslashes, as the launcher builds paths.
    static std::string windowsForm(const std::filesystem::path& path)
    {
        std::string text = path.string();
        std::replace(text.begin(), text.end(), '/', '\\');
        return text;
    }
    /// Replaces {root}, {work}, {pf}, {win} and {docs} by the sandbox's folders.
    std::string expand(std::string text) const
    {
        const std::pair<const char*, std::string> names[] = {
            {"{root}", windowsForm(root.path())}, {"{work}", windowsForm(work)}, {"{pf}", ProgramFilesName},
            {"{win}", windowsForm(windows)},      {"{docs}", windowsForm(documents)}};
        for (const auto& [name, value] : names)
            for (auto at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size()))
                text.replace(at, std::string(name).size(), value);
        return text;
    }
    /// A path of the launcher's form (placeholders expanded) as a path of the test's.
    std::filesystem::path at(const std::string& path) const
    {
        std::string text = expand(path);
        std::replace(text.begin(), text.end(), '\\', '/');
        return text;
    }
    /// Writes a file (placeholders expanded; relative to the working directory).
    void write(const std::string& path, const std::string& bytes) const
    {
        std::filesystem::path file = at(path);
        std::filesystem::create_directories(file.parent_path().empty() ? "." : file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    /// The ";"-separated items of a text, placeholders expanded.
    std::vector<std::string> list(const std::string& text) const
    {
        std::vector<std::string> items;
        std::stringstream all(expand(text));
        for (std::string item; std::getline(all, item, ';');)
            if (!item.empty())
                items.push_back(item);
        return items;
    }
    /// Sets an environment variable until the sandbox ends.
    void setEnv(const std::string& name, const std::string& value)
    {
        std::string previous;
        platform::getEnv(name, previous);
        savedEnv.emplace_back(name, previous);
        platform::putEnv(name + "=" + value);
    }
    /// Names Program Files in the registry (relative to the working directory, or absolute).
    bool setProgramFiles(const std::string& dir)
    {
        return keys.setMachineValue(WindowsCurrentVersionKey, "ProgramFilesDir", dir);
    }

    static constexpr const char* ProgramFilesName = "..\\Program Files";

    TempDir root;
    std::filesystem::path work = root.path() / "work dir";
    std::filesystem::path programFiles = root.path() / "Program Files";
    std::filesystem::path windows = root.path() / "windows";
    std::filesystem::path documents = root.path() / "Public" / "Documents";
    MachineKeys keys{root};

private:
    std::filesystem::path previousDir;
    std::vector<std::pair<std::string, std::string>> savedEnv;
};

} // namespace testing_support
