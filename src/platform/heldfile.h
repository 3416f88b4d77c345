// A payload file held open from the check of its SHA-256 until it has run.
#pragma once

#include <memory>
#include <string>

namespace platform {

/// A file opened for reading that others may only read while it is held. On Windows no one can
/// write, rename or delete it then; Linux knows no such refusal, so there a program started by
/// the held file's path (relative to the current directory, or full) runs from the held file
/// itself, whatever has been put in its place.
class HeldFile {
public:
    HeldFile();
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    /// true when the file was opened and is now held; errorText says why not.
    bool open(const std::string& path, std::string& errorText);
    /// true and the 32 bytes of the SHA-256 of the whole held file, computed by the system's
    /// cryptography (never by code of ours); errorText says why not.
    bool sha256(std::string& digest, std::string& errorText);
    /// Lets the file go (the destructor does too).
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace platform
