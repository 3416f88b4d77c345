// The REGEDIT4 text that stands in for the registry on Linux: parsing, writing, key lookups.
#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace platform::regfile {

/// One named value of a key; name "" is the key's default value ("@" in the file).
struct Value {
    std::string name;
    bool text = true;  // a "quoted" string; other kinds (dword:, hex:) are kept verbatim in data
    std::string data;
};

/// One [ROOT\path] section; path "" is the root key itself.
struct Section {
    RegRoot root = RegRoot::LocalMachine;
    std::string path;
    std::vector<Value> values;
};

/// The whole file; sections in file order, each key at most once.
struct Document {
    std::vector<Section> sections;
};

/// Where and why a text is not a well-formed REGEDIT4 file.
struct ParseError {
    unsigned line = 0;
    std::string reason;
};

/// true and the document when text is a well-formed REGEDIT4 file (blank text is an empty one);
/// false and the first error otherwise.
bool parse(const std::string& text, Document& document, ParseError& error);
/// The document as REGEDIT4 text, which parse reads back to the same document.
std::string format(const Document& document);

/// true when the text fits on one line of the file (no CR, LF or NUL).
bool representable(const std::string& text);
/// true when the key path has no empty component and fits on one line ("" names the root).
bool validPath(const std::string& path);
/// true when the key is listed, or any key below it is, or it is a root.
bool keyExists(const Document& document, RegRoot root, const std::string& path);
/// true and the name of the index-th direct subkey, in order of first appearance in the file.
bool subkeyAt(const Document& document, RegRoot root, const std::string& path, unsigned index, std::string& name);
/// The value, or null when the key is not listed or has no such value.
const Value* findValue(const Document& document, RegRoot root, const std::string& path, const std::string& name);
/// true when the key was added (placed after the last section of its nearest listed ancestor's
/// subtree, so related keys stay together); false when it was already listed.
bool addKey(Document& document, RegRoot root, const std::string& path);
/// true when the string value was set (the key added when not listed); false when the path,
/// name or text cannot be written on one line of the file.
bool setString(Document& document, RegRoot root, const std::string& path, const std::string& name,
               const std::string& data);

/// Makes the stand-in registry read and write this document instead of its file, so that a fuzz
/// target can try a new registry per input without a file; nullptr goes back to the file.
void useDocumentInMemory(Document* document);

} // namespace platform::regfile
