// kxctl join: a network of the site survey joined as the main window's connect joins
// it, and the wait for the link.
#include <QCommandLineParser>

#include "context/AppContext.h"
#include "ctl/Commands.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/ControlText.h"
#include "ctl/SurveyList.h"
#include "driver/MacText.h"
#include "driver/WepKeyText.h"
#include "store/WepKeys.h"

namespace kx {

namespace {

const QCommandLineOption kBssid(QStringLiteral("bssid"),
                                QStringLiteral("The network with this BSSID instead of a name."),
                                QStringLiteral("MAC"));
const QCommandLineOption kKey(QStringLiteral("key"),
                              QStringLiteral("A WEP key of 10 (64-bit) or 26 (128-bit) "
                                             "hexadecimal digits; up to four, keys 1 to 4 in "
                                             "order."),
                              QStringLiteral("HEX"));
const QCommandLineOption kKeyIndex(QStringLiteral("key-index"),
                                   QStringLiteral("The key used to send (1-4, 1 by default)."),
                                   QStringLiteral("N"));
const QCommandLineOption kTimeout(QStringLiteral("timeout"),
                                  QStringLiteral("Seconds to wait for the link (1-600, 15 by "
                                                 "default)."),
                                  QStringLiteral("S"));

constexpr int kDefaultTimeoutS = 15;

// What the command line asks for, checked before the adapter is touched.
struct Request {
    QString bssid; // empty: by SSID
    AdapterSettings::TypedKeys keys;
    int keyCount = 0;
    WepBit keyLength = WepBit::Bits64;
    int keyIndex = 0;
    int timeoutS = kDefaultTimeoutS;
};

// The typed keys, all of one length; false when one is no key.
bool readKeys(CommandCall& call, Request& request) {
    const QStringList typed = call.parser.values(kKey);
    if (typed.size() > WepKeys::kCount) {
        call.usage(QStringLiteral("at most %1 keys").arg(WepKeys::kCount));
        return false;
    }
    std::optional<WepBit> keyLength;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QString& key = typed.at(i);
        const std::optional<WepBit> bits = WepKeyText::exactKeyLength(key.toStdString());
        if (!bits || (keyLength && *keyLength != *bits)) {
            call.usage(QStringLiteral("key %1 is no key of 10 or 26 hexadecimal digits like "
                                      "the others")
                           .arg(i + 1));
            return false;
        }
        keyLength = bits;
        request.keys[static_cast<std::size_t>(i)] = key.toUpper();
    }
    request.keyCount = static_cast<int>(typed.size());
    request.keyLength = keyLength.value_or(WepBit::Bits64);
    return true;
}

std::optional<Request> request(CommandCall& call) {
    Request r;
    const bool byBssid = call.isSet(kBssid);
    if (call.arguments.size() != (byBssid ? 0 : 1)) {
        call.usage(QStringLiteral("join takes one SSID or --bssid MAC"));
        return std::nullopt;
    }
    r.bssid = call.value(kBssid);
    if (byBssid && !MacText::parse(r.bssid.toStdString())) {
        call.usage(QStringLiteral("\"%1\" is no MAC address (six hexadecimal pairs)").arg(r.bssid));
        return std::nullopt;
    }
    if (!readKeys(call, r))
        return std::nullopt;
    const int keys = r.keyCount == 0 ? WepKeys::kCount : r.keyCount;
    const std::optional<int> keyIndex =
        call.number(kKeyIndex, 1, keys, 1,
                    QStringLiteral("--key-index takes 1 to %1, a key that is given").arg(keys));
    if (!keyIndex)
        return std::nullopt;
    const std::optional<int> timeout = call.number(
        kTimeout, 1, 600, kDefaultTimeoutS, QStringLiteral("--timeout takes 1 to 600 seconds"));
    if (!timeout)
        return std::nullopt;
    r.keyIndex = *keyIndex - 1;
    r.timeoutS = *timeout;
    return r;
}

int run(CommandCall& call) {
    const std::optional<Request> r = request(call);
    if (!r)
        return ControlCommand::Usage;
    ControlSession session(call.context, call.hooks);
    if (!call.surveyed(session))
        return ControlCommand::Failure;
    const SurveyList list(session.monitor().survey());
    const bool byBssid = !r->bssid.isEmpty();
    const SurveyList::Network* network =
        byBssid ? list.withBssid(r->bssid) : list.withSsid(call.arguments.first());
    if (!network) {
        call.out.error(QStringLiteral("no network %1 is in range (see kxctl scan)")
                           .arg(byBssid ? r->bssid : u'"' + call.arguments.first() + u'"'));
        return ControlCommand::Failure;
    }
    const QString name = ControlText::printable(network->ssid);
    if (r->keyCount > 0 && !network->wep)
        call.out.error(QStringLiteral("note: %1 uses no WEP; the keys are not used").arg(name));
    const SettingResult result = session.join(network->record, r->keys, r->keyLength, r->keyIndex);
    if (const int exit = call.settled(result, QStringLiteral("the join"));
        exit != ControlCommand::Done)
        return exit;
    if (!session.waitForLink(r->timeoutS * 1000)) {
        call.out.error(QStringLiteral("no link with \"%1\" after %2 s: %3")
                           .arg(name)
                           .arg(r->timeoutS)
                           .arg(session.view().linkStatus));
        return ControlCommand::Failure;
    }
    call.out.line(QStringLiteral("joined \"%1\" (%2, channel %3)")
                      .arg(name, ControlText::mac(network->bssid))
                      .arg(network->channel));
    return ControlCommand::Done;
}

} // namespace

CommandEntry joinCommand() {
    return {QStringLiteral("join"),
            QStringLiteral("join SSID | --bssid MAC [--key HEX]... [--key-index N] [--timeout S]"),
            QStringLiteral("Joins a network of the site survey as the main window's connect "
                           "does and waits for the link. Without --key the recorded keys are "
                           "used."),
            {kBssid, kKey, kKeyIndex, kTimeout},
            run};
}

} // namespace kx
