#include "platform/RegParser.h"

#include "platform/TextCodec.h"

#include <charconv>
#include <optional>
#include <utility>
#include <vector>

namespace kx {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kVersion4Header = "REGEDIT4";

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

// Lines end with LF, CRLF or a lone CR.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
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

// The data of a value line and the comment after it (from ';', or empty).
std::pair<std::string_view, std::string_view> splitComment(std::string_view rest) {
    const std::size_t semicolon = rest.find(';');
    if (semicolon == std::string_view::npos)
        return {rest, {}};
    return {rest.substr(0, semicolon), trimRight(rest.substr(semicolon))};
}

int parseBytes(std::string_view list, std::vector<std::uint8_t>& bytes) {
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

// 8-bit text as the UTF-16LE bytes a version 5 file holds for it.
std::vector<std::uint8_t> widenBytes(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> wide;
    wide.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        wide.push_back(b);
        wide.push_back(0);
    }
    return wide;
}

class Parser final {
public:
    Parser(std::vector<std::string_view> lines, RegHive& hive, RegParseError& error,
           std::vector<RegSkippedLine>& skipped)
        : m_lines(std::move(lines)), m_hive(hive), m_error(error), m_skipped(skipped) {}

    int run() {
        if (m_lines.empty() || isBlankFile())
            return 0;
        const std::string_view header = trimRight(m_lines[0]);
        if (header != kVersion5Header && header != kVersion4Header) {
            m_error.line = 1;
            m_error.reason = "missing registry editor header";
            return -1;
        }
        m_eightBitText = header == kVersion4Header;
        m_at = 1;
        while (m_at < m_lines.size())
            readEntry();
        closeSection();
        return 0;
    }

private:
    // What one value line says.
    struct Data {
        RegValue value;
        bool remove = false;
        std::string failure; // empty: read
    };

    bool isBlankFile() const {
        for (std::string_view line : m_lines) {
            if (!trim(line).empty())
                return false;
        }
        return true;
    }

    // One line, or a value with its continuation lines; m_at moves past it.
    void readEntry() {
        const std::size_t first = m_at++;
        const std::string_view line = trimLeft(m_lines[first]);
        if (line.empty())
            return;
        if (line.front() == ';')
            keep(first);
        else if (line.front() == '[')
            readSection(trimRight(line), first);
        else if (line.front() == '"' || line.front() == '@')
            readValue(line, first);
        else
            skip(first, "not a section, value or comment");
    }

    // The lines from `first` up to m_at, as written.
    std::string linesFrom(std::size_t first) const {
        std::string text(m_lines[first]);
        for (std::size_t i = first + 1; i < m_at; ++i) {
            text += '\n';
            text += m_lines[i];
        }
        return text;
    }

    void keep(std::size_t first) {
        if (m_key)
            m_pending.push_back(linesFrom(first));
        else
            m_hive.addLooseLine(linesFrom(first));
    }

    void skip(std::size_t first, std::string reason) {
        m_skipped.push_back(
            RegSkippedLine{first + 1, std::move(reason), std::string(m_lines[first])});
        keep(first);
    }

    // Kept lines not followed by a value of the same section stay after its values.
    void closeSection() {
        if (m_key) {
            for (std::string& text : m_pending)
                m_key->notes.push_back(RegNote{std::nullopt, std::move(text)});
        }
        m_pending.clear();
        m_key = nullptr;
    }

    void readSection(std::string_view line, std::size_t first) {
        closeSection();
        if (!line.ends_with(']'))
            return skip(first, "section line without closing ']'");
        std::string_view name = line.substr(1, line.size() - 2);
        const bool remove = name.starts_with('-');
        if (remove)
            name.remove_prefix(1);
        const std::size_t slash = name.find('\\');
        if (foldRegistryName(name.substr(0, slash)) != foldRegistryName(m_hive.rootName()))
            return skip(first, "section outside " + m_hive.rootName());
        std::string_view path =
            slash == std::string_view::npos ? std::string_view{} : name.substr(slash + 1);
        if (path.ends_with('\\'))
            path.remove_suffix(1);
        if (path.starts_with('\\') || path.ends_with('\\') ||
            path.find("\\\\") != std::string_view::npos)
            return skip(first, "empty key name in section");
        if (remove)
            m_hive.removeKey(path);
        else
            m_key = &m_hive.ensureKey(path);
    }

    // A quoted string starting at rest[0] == '"'; rest is left after the closing quote.
    static std::optional<std::string> parseQuoted(std::string_view& rest) {
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

    void readValue(std::string_view line, std::size_t first) {
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            std::optional<std::string> quoted = parseQuoted(line);
            if (!quoted)
                return skip(first, "unterminated value name");
            name = std::move(*quoted);
        }
        line = trimLeft(line);
        if (!line.starts_with('='))
            return skip(first, "missing '=' after value name");
        // Read the data first: its continuation lines belong to this entry either way.
        Data data = readData(trimLeft(line.substr(1)));
        if (!data.failure.empty())
            return skip(first, std::move(data.failure));
        if (!m_key)
            return skip(first, "value outside a key section");
        for (std::string& text : m_pending)
            m_key->notes.push_back(RegNote{foldRegistryName(name), std::move(text)});
        m_pending.clear();
        if (data.remove) {
            m_key->removeValue(name);
            return;
        }
        data.value.name = std::move(name);
        m_key->setValue(std::move(data.value));
    }

    Data readData(std::string_view rest) {
        if (rest.starts_with('"'))
            return readText(rest);
        if (rest.starts_with("dword:"))
            return readDword(rest.substr(6));
        if (rest.starts_with("hex"))
            return readHex(rest.substr(3));
        Data data;
        if (trimRight(splitComment(rest).first) == "-")
            data.remove = true;
        else
            data.failure = "unknown value type";
        return data;
    }

    static Data readText(std::string_view rest) {
        Data data;
        std::optional<std::string> text = parseQuoted(rest);
        const auto [after, comment] = splitComment(rest);
        if (!text)
            data.failure = "unterminated string";
        else if (!trim(after).empty())
            data.failure = "text after the closing quote";
        data.value = RegValue::makeText({}, text.value_or(std::string()));
        data.value.comment = comment;
        return data;
    }

    static Data readDword(std::string_view rest) {
        Data data;
        const auto [digits, comment] = splitComment(rest);
        const std::optional<std::uint32_t> number = parseHexNumber<std::uint32_t>(trim(digits), 8);
        if (!number)
            data.failure = "bad dword digits";
        data.value = RegValue::makeDword({}, number.value_or(0));
        data.value.comment = comment;
        return data;
    }

    Data readHex(std::string_view rest) {
        Data data;
        data.value.kind = RegValue::Kind::Binary;
        data.value.type = RegValue::kTypeBinary;
        if (rest.starts_with('(')) {
            const std::size_t close = rest.find(')');
            const std::optional<std::uint32_t> number =
                close == std::string_view::npos
                    ? std::nullopt
                    : parseHexNumber<std::uint32_t>(rest.substr(1, close - 1), 8);
            if (!number) {
                data.failure = "bad hex value type";
                return data;
            }
            data.value.type = *number;
            rest.remove_prefix(close + 1);
        }
        if (!rest.starts_with(':')) {
            data.failure = "missing ':' after hex";
            return data;
        }
        bool commentInside = false;
        const std::string joined =
            joinContinuations(rest.substr(1), data.value.comment, commentInside);
        if (commentInside)
            data.failure = "comment inside a continued value";
        else if (parseBytes(joined, data.value.bytes) != 0)
            data.failure = "bad hex bytes";
        const std::uint32_t type = data.value.type;
        if (m_eightBitText &&
            (type == RegValue::kTypeExpandString || type == RegValue::kTypeMultiString))
            data.value.bytes = widenBytes(data.value.bytes);
        return data;
    }

    // Hex data across lines that end in '\'. The next line continues the data when it
    // starts with a hex digit; anything else (a blank line, a new value, a section, the
    // end of the file) ends it.
    std::string joinContinuations(std::string_view part, std::string& comment,
                                  bool& commentInside) {
        std::string joined;
        for (;;) {
            auto [data, note] = splitComment(part);
            data = trimRight(data);
            const bool continues = data.ends_with('\\');
            if (continues)
                data.remove_suffix(1);
            joined += data;
            if (!continues) {
                comment = note;
                return joined;
            }
            commentInside = commentInside || !note.empty();
            if (m_at >= m_lines.size())
                return joined;
            const std::string_view next = trimLeft(m_lines[m_at]);
            if (next.empty() || !isHexDigit(next.front()))
                return joined;
            part = next;
            ++m_at;
        }
    }

    std::vector<std::string_view> m_lines;
    RegHive& m_hive;
    RegParseError& m_error;
    std::vector<RegSkippedLine>& m_skipped;
    RegKey* m_key = nullptr;            // the open section; null outside a readable one
    std::vector<std::string> m_pending; // kept lines of the open section, waiting for a value
    bool m_eightBitText = false;
    std::size_t m_at = 0;
};

} // namespace

int RegParser::parse(std::string_view fileBytes, RegHive& hive, RegParseError& error,
                     std::vector<RegSkippedLine>& skipped) {
    const std::optional<std::string> text = decodeFile(fileBytes);
    if (!text) {
        error.line = 1;
        error.reason = "unsupported text encoding";
        return -1;
    }
    return Parser(splitLines(*text), hive, error, skipped).run();
}

int RegParser::parse(std::string_view fileBytes, RegHive& hive, RegParseError& error) {
    std::vector<RegSkippedLine> skipped;
    return parse(fileBytes, hive, error, skipped);
}

} // namespace kx
