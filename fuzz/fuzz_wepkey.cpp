// WEP key text: whatever the person types becomes a key of exactly the key's digits, and
// whatever is recorded splits into four keys.
#include <cstddef>
#include <cstdint>

#include <QString>

#include "driver/WepKeyText.h"
#include "fuzz/FuzzCheck.h"
#include "platform/TextCodec.h"
#include "store/WepKeys.h"

namespace {

bool isUpperHex(const QString& text) {
    for (QChar c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The bytes as UTF-16 units, as a text field would hand them over.
    const QString typed(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    for (kx::WepBit length : {kx::WepBit::Bits64, kx::WepBit::Bits128}) {
        const QString key = QString::fromStdString(
            kx::WepKeyText::recordedKey(kx::TextCodec::narrow(typed.toStdU16String()), length));
        KX_FUZZ_CHECK(key.size() == (length == kx::WepBit::Bits64 ? 10 : 26));
        KX_FUZZ_CHECK(isUpperHex(key));
    }
    for (const QString& key : kx::WepKeys::fromRecorded(typed))
        KX_FUZZ_CHECK(key.size() == 10 || key.size() == 26);
    return 0;
}
