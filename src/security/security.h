// Java security files (policies, keystore) installed into a newly expanded JVM and the user's
// directories, with backups of the files they replace recorded in "changes.txt".
#pragma once

#include <cstdio>
#include <string>

#include "diag/trace.h"

/// One use, then destroyed. Each file is named by a destination text (spec) such as
/// "${java.home}/lib/security/java.policy", "${user.home}/.keystore" or "dir/name"; the source
/// is the file of that name in the current directory.
class Security : public Trace {
public:
    /// The three steps (system policy, user policy, keystore); the result of the last step that ran.
    bool addSecurity(const std::string& systemPolicy, const std::string& userPolicy, const std::string& keystore,
                     const std::string& javaHomeDir, const std::string& homeDirectory, bool replace);
    /// The keystore step; true when the keystore was copied to each place it belongs.
    bool addCertificate(const std::string& keystore, const std::string& javaHomeDir,
                        const std::string& homeDirectory, std::string& name, std::string& destination,
                        bool replace);
    /// true when the destination text gave a source name and a destination path (possibly empty),
    /// with the destination's directories created.
    bool getFilenames(const std::string& spec, const std::string& javaHomeDir,
                      const std::string& homeDirectory, std::string& name, std::string& destination);
    /// Creates the "/"-separated directories below base; true when the resulting directory
    /// exists, which then replaces the content of directories.
    bool addDirectories(const std::string& base, std::string& directories);
    /// true and the identity database path of the JVM's "java.security" (its directory created);
    /// false, traced, for a path with a ".." part or through a link or reparse point.
    bool getIdentityIdFilename(const std::string& javaHomeDir, std::string& path);
    /// true and the keystore's place in the login name's profile below the home directory.
    bool getAlternateDestination(const std::string& spec, const std::string& homeDirectory,
                                 std::string& destination);
    /// true when the destination holds the source, is the source file itself, or an existing file
    /// was kept (no replace).
    bool copySecurityFile(const std::string& source, const std::string& destination, bool replace);
    /// true when the file was saved under a free numbered name, removed and the change recorded.
    bool backupFile(const std::string& path);
    /// Appends one line to "changes.txt"; nothing when it cannot be opened.
    void logSystemChange(const std::string& text);

private:
    /// Traces a destination text whose source file exists but found no destination.
    void _traceNoDestination(const std::string& spec, const std::string& name);
};

/// Reads a JVM's "java.security" up to its first "identity.database=" line: true and the path it
/// names ("/" turned into "\", runs of "\" made one, trailing line ends and blanks cut), with
/// tooLong when that line was longer than the read limit (its path is then cut and unusable).
bool readIdentityDatabasePath(std::FILE* in, std::string& path, bool& tooLong);
