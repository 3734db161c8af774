#pragma once
// The program's icons as premultiplied ARGB pixels, drawn at build time from
// res/icons/*.svg at each size the program shows them (res/kxicongen writes the tables).

#include <cstdint>
#include <span>

namespace kx {

struct IconImage {
    int size; // width and height
    const std::uint32_t* pixels;
};

struct IconImages {
    const char* name; // the SVG's base name
    std::span<const IconImage> images;
};

extern const IconImages kProductIconImages[];
extern const int kProductIconCount;

} // namespace kx
