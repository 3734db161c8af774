#pragma once
// The networks a site survey found, strongest first, as `kxctl scan` lists them and
// `kxctl join` picks one: for people with the main window's texts, for programs as JSON.

#include <QJsonArray>
#include <QList>
#include <QString>

#include "driver/MacText.h"
#include "driver/kx02app.h"

namespace kx {

struct AppContext;

class SurveyList final {
public:
    struct Network {
        int record = 0; // its place in the survey, the window's list row
        QString ssid;
        MacText::Mac bssid{};
        int channel = 0;
        int mode = 0; // 0 ad hoc, 1 infrastructure, 2 unknown
        bool wep = false;
        int signal = 0;
    };

    // Strongest first; networks of equal strength in the survey's order.
    explicit SurveyList(const WLSurveyBuffer& survey);

    const QList<Network>& networks() const { return m_networks; }
    // The strongest network of that name (as shown, or typed to the same bytes:
    // driver/SsidText.h), or of that BSSID (MacText's forms).
    const Network* withSsid(const QString& ssid) const;
    const Network* withBssid(const QString& bssid) const;

    QString text(const AppContext& context) const;
    QJsonArray json(const AppContext& context) const;

private:
    QList<Network> m_networks;
};

} // namespace kx
