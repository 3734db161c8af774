#pragma once
// The settings `kxctl set` changes, each checked as its dialog checks it (a value the
// dialog would not offer is refused, naming what is accepted) and sent and recorded
// through AdapterSettings as the dialog sends it.

#include <QString>
#include <QStringList>

#include "store/SettingResult.h"

namespace kx {

struct AppContext;

class SettingArgument final {
public:
    struct Outcome {
        // Empty when the value was taken; else why not, naming what is accepted.
        QString refusal;
        SettingResult result;
    };

    static QStringList names();
    // What `name` takes on the current adapter, e.g. "1-11" or "on, off".
    static QString accepted(const QString& name, const AppContext& context);
    static Outcome apply(AppContext& context, const QString& name, const QString& value);
};

} // namespace kx
