#include "kx02app/EepromStore.h"

#include "kx02app/StateFile.h"

namespace kx::sim {

std::filesystem::path EepromStore::directory() {
    return StateFile::directory();
}

std::filesystem::path EepromStore::file(std::string_view instance) {
    return StateFile::path("eeprom", instance, ".bin");
}

std::optional<std::vector<std::uint8_t>> EepromStore::load(std::string_view instance,
                                                           std::size_t size) {
    const std::optional<std::string> bytes = StateFile::read(file(instance), size);
    if (!bytes || bytes->size() != size)
        return std::nullopt;
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

bool EepromStore::save(std::string_view instance, std::span<const std::uint8_t> image) {
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    return StateFile::write(file(instance), bytes);
}

} // namespace kx::sim
