#pragma once
// Tells the person using a window that a change they made there is in effect but did
// not reach the registry, so it is gone at the adapter's next start. Each window has
// one: it tells a failure once (in a message over the window and on the error output)
// and stays quiet while the same file fails for the same reason, so a row of changes
// against a read-only hive is one message, not one per check box.

#include "store/SettingResult.h"

class QWidget;

namespace kx {

struct AppContext;

class UnsavedNotice final {
public:
    UnsavedNotice(AppContext& context, QWidget* window);

    void report(const SettingResult& result);

private:
    AppContext& m_context;
    QWidget* m_window;
    StoreResult m_told;
};

} // namespace kx
