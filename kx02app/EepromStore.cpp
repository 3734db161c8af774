#include "kx02app/EepromStore.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "kx02app/HexBytes.h"

namespace kx::sim {

namespace {
std::filesystem::path fromEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::filesystem::path(value)
                                              : std::filesystem::path();
}
} // namespace

std::filesystem::path EepromStore::directory() {
    if (std::filesystem::path dir = fromEnv("KX02APP_STATE_DIR"); !dir.empty())
        return dir;
    if (std::filesystem::path state = fromEnv("XDG_STATE_HOME"); !state.empty())
        return state / "kx02app";
    if (std::filesystem::path home = fromEnv("HOME"); !home.empty())
        return home / ".local" / "state" / "kx02app";
    return {};
}

std::filesystem::path EepromStore::file(std::string_view instance) {
    const std::filesystem::path dir = directory();
    if (dir.empty())
        return {};
    // The instance comes from a scenario file: keep the name to safe characters.
    std::string name = "eeprom-";
    for (unsigned char c : instance) {
        if (std::isalnum(c))
            name += static_cast<char>(c);
        else
            name += "%" + HexBytes::upper(&c, 1);
    }
    return dir / (name + ".bin");
}

std::optional<std::vector<std::uint8_t>> EepromStore::load(std::string_view instance,
                                                           std::size_t size) {
    const std::filesystem::path path = file(instance);
    std::error_code ec;
    if (path.empty() || std::filesystem::file_size(path, ec) != size || ec)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> image(size);
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(size));
    if (!in || static_cast<std::size_t>(in.gcount()) != size)
        return std::nullopt;
    return image;
}

bool EepromStore::save(std::string_view instance, std::span<const std::uint8_t> image) {
    const std::filesystem::path path = file(instance);
    if (path.empty())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::filesystem::path temp = path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image.data()),
                  static_cast<std::streamsize>(image.size()));
        out.flush();
        if (!out)
            return false;
    }
    std::filesystem::rename(temp, path, ec);
    return !ec;
}

} // namespace kx::sim
