#pragma once
// One localised text: its key in the language file and the English default that the
// window shows when the file lacks the key. Each window keeps its texts in one table
// (a *Texts.h beside the window), declared with KX_TEXT_TABLE so that the table and
// the named constants cannot drift apart.

namespace kx {

struct LangText {
    const char* key;
    const char* text;
};

} // namespace kx

// KX_TEXT_TABLE(Name, LIST) where LIST(X) expands X(KEY, "default") per text:
// defines namespace Name with one constant per key and `all`, the whole table.
#define KX_TEXT_CONSTANT(key, text) inline constexpr ::kx::LangText key{#key, text};
#define KX_TEXT_ENTRY(key, text) key,
#define KX_TEXT_TABLE(Name, LIST)                                                                  \
    namespace Name {                                                                               \
    LIST(KX_TEXT_CONSTANT)                                                                         \
    inline constexpr ::kx::LangText all[] = {LIST(KX_TEXT_ENTRY)};                                 \
    }
