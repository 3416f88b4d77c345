#include "provision/payloadintegrity.h"

#include <cctype>

namespace {

constexpr std::size_t DigestLength = 64;

} // namespace

std::string hexText(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0f];
    }
    return text;
}

bool normalizeDigest(const std::string& value, std::string& digest)
{
    digest.clear();
    for (unsigned char c : value) {
        if (c == ' ' || c == '\t')
            continue;
        if (!std::isxdigit(c))
            return false;
        digest += static_cast<char>(std::tolower(c));
    }
    return digest.size() == DigestLength;
}

bool PayloadIntegrity::verify(const std::string& path)
{
    damaged = false;
    if (expected.empty()) {
        traceMessage(TraceFilename, std::string("not checked (no ") + key + "):", path);
        return true;
    }
    std::string errorText, bytes;
    if (!held.open(path, errorText) || !held.sha256(bytes, errorText)) {
        logAndTraceMessage(ErrorsFilename, TraceFilename, "Unable to compute the SHA-256 of " + path + ":", errorText);
        held.close();
        return false;
    }
    const std::string computed = hexText(bytes);
    std::string digest;
    const bool wellFormed = normalizeDigest(expected, digest);
    if (wellFormed && digest == computed) {
        traceMessage(TraceFilename, "SHA-256 checked:", path);
        return true;
    }
    held.close();
    damaged = true;
    logAndTraceMessage(ErrorsFilename, TraceFilename,
                       wellFormed ? "Damaged installation package, SHA-256 differs, not run:"
                                  : std::string(key) + " is not 64 hexadecimal digits, not run:",
                       path);
    logAndTraceMessage(ErrorsFilename, TraceFilename, std::string("    expected (") + key + "):", expected);
    logAndTraceMessage(ErrorsFilename, TraceFilename, "    computed:", computed);
    return false;
}
