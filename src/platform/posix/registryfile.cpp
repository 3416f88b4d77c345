#include "platform/posix/registryfile.h"

#include <cctype>

namespace platform::regfile {

namespace {

constexpr const char* HeaderField = "REGEDIT4";
constexpr const char* LocalMachineEntry = "HKEY_LOCAL_MACHINE";
constexpr const char* CurrentUserEntry = "HKEY_CURRENT_USER";
constexpr const char* Utf8ByteOrderMark = "\xEF\xBB\xBF";

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Registry names compare without regard to case, as on Windows (ASCII letters only).
bool sameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

// true when path is a proper descendant of ancestor; rest receives the part after "ancestor\".
bool below(const std::string& path, const std::string& ancestor, std::string& rest)
{
    if (ancestor.empty()) {
        if (path.empty())
            return false;
        rest = path;
        return true;
    }
    if (path.size() <= ancestor.size() + 1 || path[ancestor.size()] != '\\' ||
        !sameName(path.substr(0, ancestor.size()), ancestor))
        return false;
    rest = path.substr(ancestor.size() + 1);
    return true;
}

bool sameKey(const Section& section, RegRoot root, const std::string& path)
{
    return section.root == root && sameName(section.path, path);
}

const char* rootName(RegRoot root)
{
    return root == RegRoot::LocalMachine ? LocalMachineEntry : CurrentUserEntry;
}

std::string trim(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r'))
        --end;
    return text.substr(begin, end - begin);
}

// Reads a quoted string starting at text[pos] == '"'; pos ends after the closing quote.
bool readQuoted(const std::string& text, std::size_t& pos, std::string& out, std::string& reason)
{
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\') {
            // regedit escapes only these two; anything else would be read differently by it.
            if (pos + 1 < text.size() && (text[pos + 1] == '\\' || text[pos + 1] == '"')) {
                out += text[++pos];
                continue;
            }
            reason = "unknown escape in quoted text";
            return false;
        }
        out += c;
    }
    reason = "unterminated quoted text";
    return false;
}

std::string quote(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

bool allHex(const std::string& text)
{
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// dword:XXXXXXXX, hex:xx,xx,... or hex(N):xx,... (continuation lines already joined).
bool validRawData(const std::string& data)
{
    std::string lower;
    for (char c : data)
        lower += lowerAscii(c);
    if (lower.rfind("dword:", 0) == 0) {
        std::string digits = lower.substr(6);
        return !digits.empty() && digits.size() <= 8 && allHex(digits);
    }
    std::size_t colon = lower.find(':');
    if (colon == std::string::npos)
        return false;
    std::string kind = lower.substr(0, colon);
    if (kind != "hex") {
        if (kind.size() < 6 || kind.rfind("hex(", 0) != 0 || kind.back() != ')' ||
            !allHex(kind.substr(4, kind.size() - 5)))
            return false;
    }
    std::string bytes = lower.substr(colon + 1);
    if (bytes.empty())
        return true;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = bytes.find(',', start);
        std::string byte = trim(bytes.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (byte.empty() || byte.size() > 2 || !allHex(byte))
            return false;
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

Section& sectionFor(Document& document, RegRoot root, const std::string& path)
{
    for (Section& section : document.sections)
        if (sameKey(section, root, path))
            return section;
    document.sections.push_back(Section{root, path, {}});
    return document.sections.back();
}

void putValue(Section& section, Value value)
{
    // A repeated name replaces the earlier data, as importing the file would.
    for (Value& existing : section.values)
        if (sameName(existing.name, value.name)) {
            existing.text = value.text;
            existing.data = std::move(value.data);
            return;
        }
    section.values.push_back(std::move(value));
}

void splitLines(const std::string& text, std::vector<std::string>& lines)
{
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            if (start < text.size())
                lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

bool parseHeader(const std::string& line, RegRoot& root, std::string& path, std::string& reason)
{
    // The last ']' closes the header: key names may themselves contain ']'.
    std::size_t close = line.rfind(']');
    if (close != line.size() - 1) {
        reason = "section header without closing ']'";
        return false;
    }
    std::string name = line.substr(1, close - 1);
    if (!name.empty() && name[0] == '-') {
        reason = "key deletions are not supported";
        return false;
    }
    std::size_t slash = name.find('\\');
    std::string rootText = name.substr(0, slash);
    if (sameName(rootText, LocalMachineEntry))
        root = RegRoot::LocalMachine;
    else if (sameName(rootText, CurrentUserEntry))
        root = RegRoot::CurrentUser;
    else {
        reason = "unknown root key \"" + rootText + "\"";
        return false;
    }
    path = slash == std::string::npos ? std::string() : name.substr(slash + 1);
    if (slash != std::string::npos && path.empty()) {
        reason = "empty key name";
        return false;
    }
    if (!validPath(path)) {
        reason = "empty component in key name";
        return false;
    }
    return true;
}

} // namespace

bool representable(const std::string& text)
{
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool validPath(const std::string& path)
{
    if (path.empty())
        return true;
    if (path.front() == '\\' || path.back() == '\\' || !representable(path))
        return false;
    return path.find("\\\\") == std::string::npos;
}

bool parse(const std::string& text, Document& document, ParseError& error)
{
    document.sections.clear();
    std::string body = text;
    if (body.rfind(Utf8ByteOrderMark, 0) == 0)
        body.erase(0, 3);
    std::vector<std::string> lines;
    splitLines(body, lines);

    bool headerSeen = false;
    Section* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        error.line = static_cast<unsigned>(i + 1);
        std::string line = trim(lines[i]);
        if (!headerSeen) {
            // An all-blank file is an empty registry; anything else must start right.
            if (line.empty())
                continue;
            if (line != HeaderField) {
                error.reason = "the file does not begin with REGEDIT4";
                return false;
            }
            headerSeen = true;
            continue;
        }
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            RegRoot root;
            std::string path;
            if (!parseHeader(line, root, path, error.reason))
                return false;
            current = &sectionFor(document, root, path);
            continue;
        }
        if (line[0] != '"' && line[0] != '@') {
            error.reason = "expected a section header or a value";
            return false;
        }
        if (current == nullptr) {
            error.reason = "value outside any section";
            return false;
        }
        Value value;
        std::size_t pos = 0;
        if (line[0] == '@')
            pos = 1;
        else if (!readQuoted(line, pos, value.name, error.reason))
            return false;
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        if (pos >= line.size() || line[pos] != '=') {
            error.reason = "expected '=' after the value name";
            return false;
        }
        ++pos;
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        if (pos < line.size() && line[pos] == '"') {
            if (!readQuoted(line, pos, value.data, error.reason))
                return false;
            if (!trim(line.substr(pos)).empty()) {
                error.reason = "text after the closing quote";
                return false;
            }
        } else {
            // Binary and number values: kept verbatim, joining regedit's continuation lines.
            std::string data = trim(line.substr(pos));
            while (!data.empty() && data.back() == '\\') {
                data.pop_back();
                data = trim(data);
                if (++i >= lines.size()) {
                    error.reason = "continuation line missing at the end of the file";
                    return false;
                }
                error.line = static_cast<unsigned>(i + 1);
                data += trim(lines[i]);
            }
            if (!validRawData(data)) {
                error.reason = "value data is neither quoted text nor dword:/hex: data";
                return false;
            }
            value.text = false;
            value.data = data;
        }
        putValue(*current, std::move(value));
    }
    error = ParseError{};
    return true;
}

std::string format(const Document& document)
{
    std::string out = std::string(HeaderField) + "\n\n";
    for (const Section& section : document.sections) {
        out += '[';
        out += rootName(section.root);
        if (!section.path.empty())
            out += '\\' + section.path;
        out += "]\n";
        for (const Value& value : section.values) {
            out += value.name.empty() ? std::string("@") : quote(value.name);
            out += '=';
            out += value.text ? quote(value.data) : value.data;
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

bool keyExists(const Document& document, RegRoot root, const std::string& path)
{
    if (path.empty())
        return true;
    std::string rest;
    for (const Section& section : document.sections)
        if (section.root == root && (sameName(section.path, path) || below(section.path, path, rest)))
            return true;
    return false;
}

bool subkeyAt(const Document& document, RegRoot root, const std::string& path, unsigned index, std::string& name)
{
    std::vector<std::string> children;
    std::string rest;
    for (const Section& section : document.sections) {
        if (section.root != root || !below(section.path, path, rest))
            continue;
        std::string child = rest.substr(0, rest.find('\\'));
        bool known = false;
        for (const std::string& existing : children)
            known = known || sameName(existing, child);
        if (!known)
            children.push_back(child);
    }
    if (index >= children.size())
        return false;
    name = children[index];
    return true;
}

const Value* findValue(const Document& document, RegRoot root, const std::string& path, const std::string& name)
{
    for (const Section& section : document.sections) {
        if (!sameKey(section, root, path))
            continue;
        for (const Value& value : section.values)
            if (sameName(value.name, name))
                return &value;
        return nullptr;
    }
    return nullptr;
}

bool addKey(Document& document, RegRoot root, const std::string& path)
{
    for (const Section& section : document.sections)
        if (sameKey(section, root, path))
            return false;
    // Insert after the subtree of the nearest ancestor that has sections in the file.
    std::string ancestor = path;
    std::string rest;
    while (true) {
        std::size_t slash = ancestor.rfind('\\');
        ancestor = slash == std::string::npos ? std::string() : ancestor.substr(0, slash);
        std::size_t last = document.sections.size();
        for (std::size_t i = 0; i < document.sections.size(); ++i) {
            const Section& section = document.sections[i];
            if (section.root == root &&
                (ancestor.empty() || sameName(section.path, ancestor) || below(section.path, ancestor, rest)))
                last = i;
        }
        if (last != document.sections.size()) {
            document.sections.insert(document.sections.begin() + static_cast<long>(last) + 1, Section{root, path, {}});
            return true;
        }
        if (ancestor.empty())
            break;
    }
    document.sections.push_back(Section{root, path, {}});
    return true;
}

bool setString(Document& document, RegRoot root, const std::string& path, const std::string& name,
               const std::string& data)
{
    if (!validPath(path) || !representable(name) || !representable(data))
        return false;
    addKey(document, root, path);
    putValue(sectionFor(document, root, path), Value{name, true, data});
    return true;
}

} // namespace platform::regfile
