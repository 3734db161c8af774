#pragma once
// "Adapter Tally": the adapter's statistics counters (on the newer chip optionally the
// driver's debug counters), read when asked and reset on request.

#include <optional>

#include <QList>
#include <QWidget>

#include "pro/tally/AdapterTally.h"

class QCheckBox;
class QTreeWidget;

namespace kx {

struct AppContext;

class CPropertyTally final : public QWidget {
    Q_OBJECT
public:
    CPropertyTally(AppContext& context, QWidget* parent);

private:
    // A failed read leaves the list as it was.
    void showRows(const std::optional<QList<TallyRow>>& rows);

    AppContext& m_ctx;
    QTreeWidget* m_list = nullptr;
    QCheckBox* m_debugTally = nullptr;
};

} // namespace kx
