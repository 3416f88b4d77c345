// Integrity of what is run: a payload program runs elevated only when it is the file shipped.
#pragma once

#include <string>

#include "diag/trace.h"
#include "platform/heldfile.h"

/// The bytes of a digest as lower-case hex digits, two per byte.
std::string hexText(const std::string& bytes);

/// The packager's SHA-256 as 64 lower-case hex digits: blanks (certutil prints the bytes
/// apart) are dropped, any letter case is taken. false when what remains is anything else.
bool normalizeDigest(const std::string& value, std::string& digest);

/// Checks a payload program against the SHA-256 of the control file and holds it from the check
/// until release, so that nobody can change it in between. Made for one program.
class PayloadIntegrity : public Trace {
public:
    /// key names the control file's key in the logs.
    explicit PayloadIntegrity(const char* key) : key(key) {}
    /// The key's value; empty: the program runs unchecked.
    void setExpected(const std::string& value) { expected = value; }

    /// true when the program may run: no digest was given (traced), or the file, held from now
    /// on, has that digest. false, with the file, the expected and the computed digest in
    /// errors.log and the trace: the value is not 64 hex digits, the digest differs (both make
    /// isDamaged true), or the file could not be read.
    bool verify(const std::string& path);
    /// true when verify refused the file as damaged (or the value as malformed).
    bool isDamaged() const { return damaged; }
    /// Lets the file go.
    void release() { held.close(); }

private:
    const char* key;
    std::string expected;
    platform::HeldFile held;
    bool damaged = false;
};
