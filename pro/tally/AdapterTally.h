#pragma once
// What the tally page lists: the adapter's 21 statistics counters or, on the newer
// chip, 17 of the driver's debug counters, one row per counter with its name and the
// counter as unsigned decimal.

#include <optional>

#include <QList>
#include <QString>

#include "driver/kx02app.h"
#include "pro/tally/TallyRecord.h"

namespace kx {

struct TallyRow final {
    QString name;
    QString value;
};

class AdapterTally final {
public:
    // The rows of a record under the standard or the debug names.
    static QList<TallyRow> rows(const TallyRecord& record, bool debug);

    // Opens the adapter and reads the debug counters when the chip is the newer one
    // and `debugChecked`, the standard tally otherwise. Nothing when the open or the
    // read fails: the list then stays as it was.
    static std::optional<QList<TallyRow>> update(WLAdapterInfo* adapter, bool newerChip,
                                                 bool debugChecked);
    // Resets the adapter's counters (whatever the driver answers), then updates.
    static std::optional<QList<TallyRow>> reset(WLAdapterInfo* adapter, bool newerChip,
                                                bool debugChecked);
};

} // namespace kx
