#pragma once
// What the settings dialog tests share: a clean world with the first simulated adapter
// selected, the shipped language file open, and short ways to read back what reached
// the driver and the registry.

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QStringList>
#include <QTest>

#include "kx02app/kxsim.h"
#include "tests/support/Children.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

namespace kx::test {

struct SettingsFixture : TestContext {
    int selected = selectSimulatedAdapter(ctx);
    bool languageOpen = openShippedLanguage();
};

inline int restarts() {
    return static_cast<int>(callNames().count(QStringLiteral("SetWL_RestartNIC")));
}

inline qint64 simInt(const char* field) {
    int64_t value = -1;
    kxsim_get_int(nullptr, field, &value);
    return value;
}

// What a screen reader or voice control does with a check box or radio button: its
// own "Toggle" action, which is no click.
inline void toggleAccessibly(QAbstractButton* button) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(button);
    QVERIFY(control != nullptr && control->actionInterface() != nullptr);
    control->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

} // namespace kx::test
