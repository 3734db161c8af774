#pragma once
// Tells the person using a window that a change they made there is in effect but did
// not reach the registry, so it is gone at the adapter's next start; and, once, that the
// adapter is read-only for them and why, when the driver refuses every change. Each
// window has one, as its child: it tells a failure once (in a message over the window and on the
// error output) and stays quiet while the same file fails for the same reason, so a row
// of changes against a read-only hive is one message, not one per check box.

#include <QObject>

#include "store/SettingResult.h"

class QWidget;

namespace kx {

struct AppContext;

class UnsavedNotice final : public QObject {
    Q_OBJECT
public:
    UnsavedNotice(AppContext& context, QWidget* window);

    void report(const SettingResult& result);

    // For a control or page inside a window: the notice of the window `from` is in. A
    // window without one still has the failure on the error output.
    static void report(const QWidget* from, const SettingResult& result);

private:
    AppContext& m_context;
    QWidget* m_window;
    StoreResult m_told;
    bool m_toldReadOnly = false;
};

} // namespace kx
