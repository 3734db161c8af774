#include "kx02app/StateFile.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "driver/HexText.h"

namespace kx::sim {

namespace {

std::filesystem::path fromEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::filesystem::path(value)
                                              : std::filesystem::path();
}

} // namespace

std::filesystem::path StateFile::directory() {
    if (std::filesystem::path dir = fromEnv("KX02APP_STATE_DIR"); !dir.empty())
        return dir;
    if (std::filesystem::path state = fromEnv("XDG_STATE_HOME"); !state.empty())
        return state / "kx02app";
    if (std::filesystem::path home = fromEnv("HOME"); !home.empty())
        return home / ".local" / "state" / "kx02app";
    return {};
}

std::filesystem::path StateFile::path(std::string_view kind, std::string_view instance,
                                      std::string_view extension) {
    const std::filesystem::path dir = directory();
    if (dir.empty())
        return {};
    // The instance comes from a scenario file: keep the name to safe characters.
    std::string name(kind);
    name += '-';
    for (unsigned char c : instance) {
        if (std::isalnum(c))
            name += static_cast<char>(c);
        else
            name += "%" + HexText::fromBytes(&c, 1);
    }
    return dir / (name + std::string(extension));
}

std::optional<std::string> StateFile::read(const std::filesystem::path& path, std::size_t limit) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec) ||
        std::filesystem::file_size(path, ec) > limit || ec)
        return std::nullopt;
    // Read one byte past the limit: a file that grew since the check is refused too.
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        return std::nullopt;
    std::string bytes(limit + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad() || static_cast<std::size_t>(in.gcount()) > limit)
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

bool StateFile::write(const std::filesystem::path& path, std::string_view bytes) {
    if (path.empty())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::filesystem::path temp = path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out)
            return false;
    }
    std::filesystem::rename(temp, path, ec);
    return !ec;
}

} // namespace kx::sim
