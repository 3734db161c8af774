#include "store/WepKeys.h"

namespace kx {

WepKeys::Texts WepKeys::fromRecorded(const QString& text) {
    if (text.size() >= kCount * digits(1))
        return split(text, digits(1));
    if (text.size() >= kCount * digits(0))
        return split(text, digits(0));
    return defaults();
}

WepKeys::Texts WepKeys::split(const QString& text, int digits) {
    Texts keys;
    for (int i = 0; i < kCount; ++i)
        keys[static_cast<std::size_t>(i)] = text.mid(i * digits, digits);
    return keys;
}

} // namespace kx
