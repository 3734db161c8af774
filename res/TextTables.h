#pragma once
// Every window's table of localised texts, so that the language files can be checked
// against the keys the program asks for. Standard library only: the build-time language
// file generator uses it too.

#include <span>

#include "program/LangText.h"

namespace kx {

struct TextTable {
    const char* name;
    std::span<const LangText> texts;
};

// Main window, basic settings, advanced settings, WEP keys, information; in that order.
std::span<const TextTable> allTextTables();

} // namespace kx
