#pragma once
// An open adapter for tests that need one: loads the shipped KXConfig.INI into the
// context, discovers the simulated adapters with a host that only keeps the current
// line, and selects line `line` (0 is the first accepted adapter). The context's
// adapter record, per-adapter values and settings store's key then belong to it.

#include <QStringList>

#include "adapter/AdapterSelector.h"

namespace kx {
struct AppContext;
}

namespace kx::test {

// An AdapterHost that keeps the drop-down lines and the current line and ignores the
// rest.
class NullAdapterHost : public AdapterHost {
public:
    void clearAdapterLines() override;
    void addAdapterLine(const QString& description) override;
    void setCurrentAdapterLine(int index) override;
    int currentAdapterLine() const override;
    void adapterOpened() override { opened = true; }
    void recheckZeroConfiguration() override {}
    void applyLayout() override {}
    void resetStationListTicks() override {}
    void endSiteScan() override {}
    void showAccessPointSettings() override {}

    QStringList lines;
    int current = -1;
    bool opened = false;
};

// 0 when line `line` was selected and opened, -1 otherwise. Call after TestEnv; the
// driver trace is cleared afterwards.
int selectSimulatedAdapter(AppContext& context, int line = 0);

} // namespace kx::test
