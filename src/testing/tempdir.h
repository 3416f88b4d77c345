// Test helper: a fresh temporary directory, optionally made current, removed afterwards.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support {

class TempDir {
public:
    /// Creates the directory; with enter, it becomes the current directory until destruction.
    explicit TempDir(bool enter = false)
    {
        static std::atomic<unsigned> counter{0};
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("qbxtest-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
        if (enter) {
            previous_ = std::filesystem::current_path();
            std::filesystem::current_path(path_);
        }
    }
    ~TempDir()
    {
        namespace fs = std::filesystem;
        std::error_code ignored;
        if (!previous_.empty())
            fs::current_path(previous_, ignored);
        // Read-only files left by a test must not keep the directory alive (stepped with an error
        // code: a name too long for the library must not end the tests).
        for (fs::recursive_directory_iterator entry(path_, ignored), end; !ignored && entry != end; entry.increment(ignored))
            fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// The directory as a string in the system's native form.
    std::string str() const { return path_.string(); }
    /// Writes a file (binary) below the directory and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const
    {
        auto file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

/// The whole content of a file (binary), or "" when it cannot be read.
inline std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// true when the text holds the part.
inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace testing_support
