#include "mainwnd/SurveyRecord.h"

#include <algorithm>
#include <cstdint>

#include "driver/Channels.h"
#include "driver/MacText.h"
#include "driver/ObjectLayouts.h"
#include "driver/SsidText.h"

namespace kx {

int SurveyRecord::count(const WLSurveyBuffer& buffer) {
    return SurveyLayout::count(buffer);
}

int SurveyRecord::channel() const {
    return Channels::ofFrequencyKHz(m_raw.frequencyKHz);
}

QByteArray SurveyRecord::ssidBytes() const {
    const std::string_view ssid = SurveyLayout::ssid(m_raw);
    return QByteArray(ssid.data(), static_cast<qsizetype>(ssid.size()));
}

QString SurveyRecord::ssidText() const {
    const QByteArray bytes = ssidBytes();
    const auto end = bytes.indexOf('\0');
    const QByteArray name = end < 0 ? bytes : bytes.left(end);
    return QString::fromStdU16String(
        SsidText::shown(std::string_view(name.constData(), static_cast<size_t>(name.size()))));
}

QString SurveyRecord::bssidText() const {
    return QString::fromLatin1(MacText::format(m_raw.bssid));
}

int SurveyRecord::infrastructureMode() const {
    return m_raw.infrastructureMode > 1 ? 2 : static_cast<int>(m_raw.infrastructureMode);
}

} // namespace kx
