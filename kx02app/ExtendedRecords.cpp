#include "kx02app/ExtendedRecords.h"

#include <algorithm>

#include "driver/DriverLimits.h"
#include "driver/ExtendedRecordLayout.h"

namespace kx::sim {

namespace {
constexpr int kMinLength = ExtendedRecordLayout::kMinLength;
constexpr int kMaxLength = ExtendedRecordLayout::kMaxLength;
} // namespace

std::vector<std::uint8_t> ExtendedRecords::find(std::span<const std::uint8_t> image, int offset,
                                                int item, bool* found) {
    if (found != nullptr)
        *found = false;
    const int end = std::min<int>(offset + kAreaSize, static_cast<int>(image.size()));
    int pos = offset;
    while (pos >= 0 && pos + 1 < end) {
        const int length = image[static_cast<std::size_t>(pos)];
        const int id = image[static_cast<std::size_t>(pos + 1)];
        if (length < kMinLength || length > kMaxLength || pos + length + 1 > end)
            break;
        if (id == item) {
            if (found != nullptr)
                *found = true;
            const auto first = image.begin() + pos + 2;
            return {first, first + (length - 1)};
        }
        if (id == 0)
            break;
        pos += length + 1;
    }
    return {};
}

void ExtendedRecords::put(std::vector<std::uint8_t>& image, int& pos, int item,
                          std::span<const std::uint8_t> data) {
    image[static_cast<std::size_t>(pos)] = static_cast<std::uint8_t>(data.size() + 1);
    image[static_cast<std::size_t>(pos + 1)] = static_cast<std::uint8_t>(item);
    std::copy(data.begin(), data.end(), image.begin() + pos + 2);
    pos += static_cast<int>(data.size()) + 2;
}

void ExtendedRecords::putEnd(std::vector<std::uint8_t>& image, int& pos) {
    const std::uint8_t end[] = {0x00, 0x00};
    put(image, pos, 0, end);
}

std::uint16_t ExtendedRecords::channelMask(std::span<const std::uint8_t> image, int offset) {
    bool found = false;
    const std::vector<std::uint8_t> data =
        find(image, offset, ExtendedRecordLayout::ChannelMask, &found);
    if (!found || data.size() < 2)
        return kAllChannelsMask;
    return static_cast<std::uint16_t>((data[0] | (data[1] << 8)) & kAllChannelsMask);
}

} // namespace kx::sim
