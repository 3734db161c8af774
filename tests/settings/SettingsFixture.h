#pragma once
// What the settings dialog tests share: a clean world with the first simulated adapter
// selected, the shipped language file open, and short ways to read back what reached
// the driver and the registry.

#include <memory>

#include <QStringList>
#include <QTest>

#include "app/LanguageTable.h"
#include "kx02app/kxsim.h"
#include "store/SettingsStore.h"
#include "tests/support/ScriptedSeam.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestEnv.h"

namespace kx::test {

struct SettingsFixture {
    std::unique_ptr<TestEnv> env = std::make_unique<TestEnv>();
    std::unique_ptr<ScriptedSeam> seam = std::make_unique<ScriptedSeam>();
    int selected = selectSimulatedAdapter();
    bool languageOpen = LanguageTable::instance().open(
        TestEnv::programDir() + QStringLiteral("KXMLu.INI"), QStringLiteral("LANGUAGES"));
};

// The value recorded in the adapter's key; "<missing>" when there is none.
inline QString adapterValue(const char* name) {
    QString text;
    if (SettingsStore::instance().readAdapterValue(QString::fromLatin1(name), text) != 0)
        return QStringLiteral("<missing>");
    return text;
}

// Names of the driver calls since the trace was last cleared.
inline QStringList callNames() {
    QStringList names;
    for (const TraceCall& call : simTrace())
        names << call.fn;
    return names;
}

inline int restarts() {
    return static_cast<int>(callNames().count(QStringLiteral("SetWL_RestartNIC")));
}

inline qint64 simInt(const char* field) {
    int64_t value = -1;
    kxsim_get_int(nullptr, field, &value);
    return value;
}

template <typename W> W* child(QObject* parent, const char* name) {
    W* widget = parent->findChild<W*>(QString::fromLatin1(name));
    if (widget == nullptr)
        qFatal("no child %s", name);
    return widget;
}

} // namespace kx::test
