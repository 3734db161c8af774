// kxlanggen: builds the two language files of the program directory from the UTF-8
// sources under res/lang/, one per language, taken in the order given.
//
//   kxlanggen <KXMLu.INI> <KXMLa.INI> <source.ini>...
//
// A source holds one "[Section]" line and key=value lines; ';' starts a comment line.
// The build fails (exit status 1, message on stderr) on a line without '=', a key given
// twice, a '%' that is not written "%%", invalid UTF-8, or a language that lacks a text
// the program asks for, so a broken translation never reaches the program directory.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/TextCodec.h"
#include "res/TextTables.h"
#include "settings/BasicSettingTexts.h"
#include "settings/WepKeyTexts.h"

namespace {

namespace fs = std::filesystem;

struct Entry {
    std::string key;
    std::string value;
};

struct Language {
    std::string section;
    std::vector<Entry> entries;
};

// The numbered lists the dialogs fill from the file, with the entries they expect.
struct Family {
    const char* pattern;
    int count;
};
const Family kFamilies[] = {
    {kx::BasicSettingTexts::BS_G_TxRate_Value, 8},
    {kx::BasicSettingTexts::BS_G_Network_Type_Value, 3},
    {kx::WepKeyTexts::WS_Authen_Mode_Value, 3},
};

bool fail(const std::string& where, const std::string& message) {
    std::fprintf(stderr, "%s: error: %s\n", where.c_str(), message.c_str());
    return false;
}

std::string trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

// Keys are found without regard to case by the program, so duplicates are too.
std::string folded(std::string_view key) {
    std::string result(key);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

bool percentsDoubled(std::string_view value) {
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%')
            continue;
        if (i + 1 >= value.size() || value[i + 1] != '%')
            return false;
        ++i;
    }
    return true;
}

std::string numbered(const char* pattern, int n) {
    std::string key(pattern);
    if (const std::size_t at = key.find("%d"); at != std::string::npos)
        key.replace(at, 2, std::to_string(n));
    return key;
}

bool readFile(const fs::path& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool parseEntry(const std::string& where, const std::string& line, Language& language,
                std::set<std::string>& seen) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return fail(where, "line without '='");
    Entry entry{trim(std::string_view(line).substr(0, equals)),
                trim(std::string_view(line).substr(equals + 1))};
    if (entry.key.empty())
        return fail(where, "line without a key");
    if (!seen.insert(folded(entry.key)).second)
        return fail(where, "duplicate key " + entry.key);
    if (!percentsDoubled(entry.value))
        return fail(where, "a '%' in the text of " + entry.key + " must be written \"%%\"");
    language.entries.push_back(std::move(entry));
    return true;
}

bool parseSection(const std::string& where, const std::string& line, Language& language) {
    if (!language.section.empty())
        return fail(where, "a second section in one language source");
    if (line.back() != ']')
        return fail(where, "section line without ']'");
    language.section = trim(std::string_view(line).substr(1, line.size() - 2));
    if (language.section.empty() || language.section.find_first_of("[]") != std::string::npos)
        return fail(where, "invalid section name");
    return true;
}

bool parseSource(const fs::path& path, Language& language) {
    std::string text;
    if (!readFile(path, text))
        return fail(path.string(), "cannot be read");
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    if (kx::TextCodec::utf16ToUtf8(kx::TextCodec::utf8ToUtf16(text)) != text)
        return fail(path.string(), "not valid UTF-8");
    std::istringstream lines(text);
    std::set<std::string> seen;
    std::string raw;
    for (int number = 1; std::getline(lines, raw); ++number) {
        const std::string where = path.string() + ":" + std::to_string(number);
        const std::string line = trim(raw.ends_with('\r') ? raw.substr(0, raw.size() - 1) : raw);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (!parseSection(where, line, language))
                return false;
        } else if (language.section.empty()) {
            return fail(where, "text before the section line");
        } else if (!parseEntry(where, line, language, seen)) {
            return false;
        }
    }
    return !language.section.empty() || fail(path.string(), "no section line");
}

const Entry* findEntry(const Language& language, std::string_view key) {
    const std::string wanted = folded(key);
    for (const Entry& entry : language.entries)
        if (folded(entry.key) == wanted)
            return &entry;
    return nullptr;
}

// Every key the program asks for, so that no window falls back to English unnoticed.
std::vector<std::string> requiredKeys(std::size_t languageCount) {
    std::vector<std::string> keys;
    for (std::size_t n = 1; n <= languageCount; ++n)
        keys.push_back(numbered("Language_%d_Description", static_cast<int>(n)));
    for (const kx::TextTable& table : kx::allTextTables())
        for (const kx::LangText& text : table.texts)
            keys.emplace_back(text.key);
    for (const Family& family : kFamilies)
        for (int n = 1; n <= family.count; ++n)
            keys.push_back(numbered(family.pattern, n));
    return keys;
}

bool checkComplete(const std::vector<Language>& languages, const std::string& where) {
    bool complete = true;
    std::set<std::string> sections;
    for (const Language& language : languages) {
        if (!sections.insert(folded(language.section)).second)
            complete = fail(where, "section " + language.section + " appears twice");
        for (const std::string& key : requiredKeys(languages.size())) {
            const Entry* entry = findEntry(language, key);
            if (entry == nullptr || entry->value.empty())
                complete = fail(where, "section " + language.section + " lacks " + key);
        }
    }
    return complete;
}

std::string render(const std::vector<Language>& languages) {
    std::string out =
        "; Generated by kxlanggen from res/lang/. Edit the sources, not this file.\r\n"
        "[LANGUAGES]\r\n";
    for (std::size_t i = 0; i < languages.size(); ++i)
        out += "Language_" + std::to_string(i + 1) + "_Section=" + languages[i].section + "\r\n";
    for (const Language& language : languages) {
        out += "\r\n[" + language.section + "]\r\n";
        for (const Entry& entry : language.entries)
            out += entry.key + "=" + entry.value + "\r\n";
    }
    return out;
}

std::string utf16leWithBom(const std::string& utf8) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : kx::TextCodec::utf8ToUtf16(utf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// Written beside the target and renamed, so a failed run never leaves half a file.
bool writeFile(const fs::path& path, const std::string& bytes) {
    const fs::path temporary = fs::path(path).concat(".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            return fail(temporary.string(), "cannot be written");
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    return !error || fail(path.string(), error.message());
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: kxlanggen <KXMLu.INI> <KXMLa.INI> <source.ini>...\n");
        return 1;
    }
    std::vector<Language> languages(static_cast<std::size_t>(argc - 3));
    for (int i = 3; i < argc; ++i)
        if (!parseSource(argv[i], languages[static_cast<std::size_t>(i - 3)]))
            return 1;
    if (!checkComplete(languages, "kxlanggen"))
        return 1;
    const std::string text = render(languages);
    return writeFile(argv[1], utf16leWithBom(text)) && writeFile(argv[2], text) ? 0 : 1;
}
