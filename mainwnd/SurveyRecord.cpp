#include "mainwnd/SurveyRecord.h"

#include <algorithm>
#include <cstdint>

#include "store/MacText.h"
#include "platform/TextCodec.h"

namespace kx {

int SurveyRecord::count(const WLSurveyBuffer& buffer) {
    const auto n = static_cast<std::int32_t>(buffer.count);
    return std::clamp<std::int32_t>(n, 0, WL_SURVEY_MAX_RECORDS);
}

int SurveyRecord::channel() const {
    const std::int64_t mhz = m_raw.frequencyKHz / 1000;
    if (mhz == 2484)
        return 14;
    return static_cast<int>((mhz - 2412) / 5 + 1);
}

QByteArray SurveyRecord::ssidBytes() const {
    const auto n = static_cast<int>(std::min<std::uint32_t>(m_raw.ssidLength, kMaxSsid));
    return QByteArray(reinterpret_cast<const char*>(m_raw.ssid), n);
}

QString SurveyRecord::ssidText() const {
    const QByteArray bytes = ssidBytes();
    const auto end = bytes.indexOf('\0');
    const QByteArray shown = end < 0 ? bytes : bytes.left(end);
    return QString::fromStdU16String(
        TextCodec::widen(std::string_view(shown.constData(), static_cast<size_t>(shown.size()))));
}

QString SurveyRecord::bssidText() const {
    return MacText::format(m_raw.bssid);
}

int SurveyRecord::infrastructureMode() const {
    return m_raw.infrastructureMode > 1 ? 2 : static_cast<int>(m_raw.infrastructureMode);
}

} // namespace kx
