#include "platform/RegParser.h"

#include "platform/TextCodec.h"

#include <charconv>
#include <optional>
#include <vector>

namespace kx {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimLeft(std::string_view s) {
    const std::size_t pos = s.find_first_not_of(kBlanks);
    return pos == std::string_view::npos ? std::string_view{} : s.substr(pos);
}

std::string_view trimRight(std::string_view s) {
    const std::size_t pos = s.find_last_not_of(kBlanks);
    return pos == std::string_view::npos ? std::string_view{} : s.substr(0, pos + 1);
}

std::string_view trim(std::string_view s) {
    return trimRight(trimLeft(s));
}

// The file as UTF-8 without BOM; nullopt for an encoding we do not read.
std::optional<std::string> decodeFile(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return std::string(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE")) {
        std::u16string units;
        units.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                           (static_cast<unsigned char>(bytes[i + 1]) << 8));
        return TextCodec::utf16ToUtf8(units);
    }
    if (bytes.starts_with("\xFE\xFF"))
        return std::nullopt;
    return std::string(bytes);
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

template <typename T> std::optional<T> parseHexNumber(std::string_view digits, std::size_t max) {
    if (digits.empty() || digits.size() > max)
        return std::nullopt;
    for (char c : digits) {
        if (!isHexDigit(c))
            return std::nullopt;
    }
    T value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    return value;
}

class Parser final {
public:
    Parser(std::vector<std::string_view> lines, RegHive& hive, RegParseError& error)
        : m_lines(std::move(lines)), m_hive(hive), m_error(error) {}

    int run() {
        if (m_lines.empty() || isBlankFile())
            return 0;
        const std::string_view header = trimRight(m_lines[0]);
        if (header != "Windows Registry Editor Version 5.00" && header != "REGEDIT4")
            return fail(0, "missing registry editor header");
        for (m_at = 1; m_at < m_lines.size(); ++m_at) {
            if (parseLine(trimLeft(m_lines[m_at])) != 0)
                return -1;
        }
        return 0;
    }

private:
    bool isBlankFile() const {
        for (std::string_view line : m_lines) {
            if (!trim(line).empty())
                return false;
        }
        return true;
    }

    int fail(std::size_t index, std::string reason) {
        m_error.line = index + 1;
        m_error.reason = std::move(reason);
        return -1;
    }
    int fail(std::string reason) { return fail(m_at, std::move(reason)); }

    int parseLine(std::string_view line) {
        if (line.empty() || line.front() == ';')
            return 0;
        if (line.front() == '[')
            return parseSection(trimRight(line));
        if (line.front() == '"' || line.front() == '@')
            return parseValue(line);
        return fail("not a section, value or comment");
    }

    int parseSection(std::string_view line) {
        if (!line.ends_with(']'))
            return fail("section line without closing ']'");
        std::string_view name = line.substr(1, line.size() - 2);
        const bool remove = name.starts_with('-');
        if (remove)
            name.remove_prefix(1);
        const std::size_t slash = name.find('\\');
        const std::string root = foldRegistryName(name.substr(0, slash));
        if (root != foldRegistryName(m_hive.rootName()))
            return fail("section outside " + m_hive.rootName());
        const std::string_view path =
            slash == std::string_view::npos ? std::string_view{} : name.substr(slash + 1);
        if (slash != std::string_view::npos && hasEmptyComponent(path))
            return fail("empty key name in section");
        if (remove) {
            m_hive.removeKey(path);
            m_key = nullptr;
            return 0;
        }
        m_key = &m_hive.ensureKey(path);
        return 0;
    }

    static bool hasEmptyComponent(std::string_view path) {
        return path.empty() || path.front() == '\\' || path.back() == '\\' ||
               path.find("\\\\") != std::string_view::npos;
    }

    // A quoted string starting at rest[0] == '"'; rest is left after the closing quote.
    std::optional<std::string> parseQuoted(std::string_view& rest) {
        std::string out;
        for (std::size_t i = 1; i < rest.size(); ++i) {
            const char c = rest[i];
            if (c == '"') {
                rest.remove_prefix(i + 1);
                return out;
            }
            // Only \\ and \" are escapes; a lone backslash, as hand-written paths have
            // it, stays a backslash.
            if (c == '\\' && i + 1 < rest.size() && (rest[i + 1] == '\\' || rest[i + 1] == '"'))
                ++i;
            out += rest[i];
        }
        return std::nullopt;
    }

    int parseValue(std::string_view line) {
        if (!m_key)
            return fail("value outside a key section");
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            std::optional<std::string> quoted = parseQuoted(line);
            if (!quoted)
                return fail("unterminated value name");
            name = std::move(*quoted);
        }
        line = trimLeft(line);
        if (!line.starts_with('='))
            return fail("missing '=' after value name");
        return parseData(std::move(name), trimLeft(line.substr(1)));
    }

    int parseData(std::string name, std::string_view data) {
        if (data.starts_with('"'))
            return parseTextData(std::move(name), data);
        if (data.starts_with("dword:"))
            return parseDwordData(std::move(name), trimRight(data.substr(6)));
        if (data.starts_with("hex"))
            return parseHexData(std::move(name), data.substr(3));
        if (trimRight(data) == "-") {
            m_key->removeValue(name);
            return 0;
        }
        return fail("unknown value type");
    }

    int parseTextData(std::string name, std::string_view data) {
        std::optional<std::string> text = parseQuoted(data);
        if (!text)
            return fail("unterminated string");
        if (!trim(data).empty())
            return fail("text after the closing quote");
        m_key->setValue(RegValue::makeText(std::move(name), std::move(*text)));
        return 0;
    }

    int parseDwordData(std::string name, std::string_view digits) {
        const std::optional<std::uint32_t> value = parseHexNumber<std::uint32_t>(digits, 8);
        if (!value)
            return fail("bad dword digits");
        m_key->setValue(RegValue::makeDword(std::move(name), *value));
        return 0;
    }

    int parseHexData(std::string name, std::string_view rest) {
        std::uint32_t type = RegValue::kTypeBinary;
        if (rest.starts_with('(')) {
            const std::size_t close = rest.find(')');
            const std::optional<std::uint32_t> number =
                close == std::string_view::npos
                    ? std::nullopt
                    : parseHexNumber<std::uint32_t>(rest.substr(1, close - 1), 8);
            if (!number)
                return fail("bad hex value type");
            type = *number;
            rest.remove_prefix(close + 1);
        }
        if (!rest.starts_with(':'))
            return fail("missing ':' after hex");
        const std::size_t firstLine = m_at;
        std::string joined;
        if (joinContinuations(rest.substr(1), joined) != 0)
            return fail(firstLine, "hex data continued past the end of the file");
        RegValue value;
        value.name = std::move(name);
        value.kind = RegValue::Kind::Binary;
        value.type = type;
        if (parseBytes(joined, value.bytes) != 0)
            return fail(firstLine, "bad hex bytes");
        m_key->setValue(std::move(value));
        return 0;
    }

    // Collects the data of a hex value across lines that end in '\'.
    int joinContinuations(std::string_view data, std::string& joined) {
        data = trimRight(data);
        while (data.ends_with('\\')) {
            joined += data.substr(0, data.size() - 1);
            if (++m_at >= m_lines.size())
                return -1;
            data = trim(m_lines[m_at]);
        }
        joined += data;
        return 0;
    }

    static int parseBytes(std::string_view list, std::vector<std::uint8_t>& bytes) {
        list = trim(list);
        if (list.ends_with(','))
            list.remove_suffix(1);
        while (!list.empty()) {
            const std::size_t comma = list.find(',');
            const std::optional<std::uint8_t> byte =
                parseHexNumber<std::uint8_t>(trim(list.substr(0, comma)), 2);
            if (!byte)
                return -1;
            bytes.push_back(*byte);
            if (comma == std::string_view::npos)
                break;
            list.remove_prefix(comma + 1);
            if (trim(list).empty())
                return -1;
        }
        return 0;
    }

    std::vector<std::string_view> m_lines;
    RegHive& m_hive;
    RegParseError& m_error;
    RegKey* m_key = nullptr;
    std::size_t m_at = 0;
};

} // namespace

int RegParser::parse(std::string_view fileBytes, RegHive& hive, RegParseError& error) {
    const std::optional<std::string> text = decodeFile(fileBytes);
    if (!text) {
        error.line = 1;
        error.reason = "unsupported text encoding";
        return -1;
    }
    return Parser(splitLines(*text), hive, error).run();
}

} // namespace kx
