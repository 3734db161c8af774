#include "ctl/ControlSession.h"

#include <algorithm>

#include "context/AppContext.h"
#include "mainwnd/LinkStatus.h"

namespace kx {

ControlSession::ControlSession(AppContext& context, ControlHooks hooks)
    : m_ctx(context), m_hooks(std::move(hooks)),
      m_monitor(context, *this, StationMonitor::Role::Observer) {}

bool ControlSession::open(int number, QString& problem) {
    m_monitor.initialise();
    return select(number, problem);
}

int ControlSession::adapterCount() const {
    return static_cast<int>(view().adapterLines.size());
}

bool ControlSession::select(int number, QString& problem) {
    const int count = adapterCount();
    if (count == 0) {
        problem = QStringLiteral("no adapter found (none that KXConfig.INI names opens)");
        // An adapter whose registry key cannot be used is not offered: say why.
        if (!m_ctx.adapter.keyProblem.isEmpty())
            problem += QStringLiteral("; the registry cannot be used: ") + m_ctx.adapter.keyProblem;
        return false;
    }
    if (number < 1 || number > count) {
        problem = QStringLiteral("there is no adapter %1: %2 found (see kxctl adapters)")
                      .arg(number)
                      .arg(count);
        return false;
    }
    if (number - 1 != view().currentAdapterLine)
        m_monitor.selectAdapter(number - 1);
    if (m_ctx.adapter.info.handle == -1) {
        problem = QStringLiteral("adapter %1 does not open").arg(number);
        return false;
    }
    // The first tick fills the view as the window's first tick does; an access point's
    // stations are listed at once, as its list button does, not a few ticks later.
    m_monitor.tick();
    if (m_ctx.adapter.accessPointMode)
        m_monitor.pressListButton();
    return true;
}

bool ControlSession::pause(int milliseconds) {
    if (m_hooks.stopRequested && m_hooks.stopRequested())
        return false;
    m_hooks.pause(milliseconds);
    return !(m_hooks.stopRequested && m_hooks.stopRequested());
}

bool ControlSession::scan() {
    m_monitor.pressListButton();
    while (m_monitor.state().scanning) {
        if (!pause(kScanTickMs))
            return false;
        m_monitor.tick();
    }
    return !m_monitor.state().lastScanFailed;
}

SettingResult ControlSession::join(int record, const AdapterSettings::TypedKeys& keys,
                                   WepBit keyLength, int keyIndex) {
    m_keys = keys;
    m_typedKeys = std::any_of(keys.begin(), keys.end(),
                              [](const std::optional<QString>& key) { return key.has_value(); });
    m_keyLength = keyLength;
    m_keyIndex = keyIndex;
    m_keysResult = {};
    SettingResult result = m_monitor.join(record);
    result += m_keysResult;
    return result;
}

bool ControlSession::keepWepKeys(const QString&, const QString&) {
    return !m_typedKeys;
}

void ControlSession::editWepKeys() {
    m_keysResult += m_ctx.settings.setWepKeys(m_keys, m_keyLength, m_keyIndex);
}

bool ControlSession::linked() const {
    return LinkStatus::isLink(view().answers.portStatus);
}

bool ControlSession::waitForLink(int timeoutMs) {
    for (int waited = 0;; waited += kLinkPollMs) {
        m_monitor.tick();
        if (linked())
            return true;
        if (waited >= timeoutMs || !pause(kLinkPollMs))
            return false;
    }
}

} // namespace kx
