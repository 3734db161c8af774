#include "tests/support/SelectedAdapter.h"

#include "context/AppContext.h"
#include "kx02app/kxsim.h"
#include "tests/support/TestEnv.h"

namespace kx::test {

void NullAdapterHost::clearAdapterLines() {
    lines.clear();
    current = -1;
}

void NullAdapterHost::addAdapterLine(const QString& description) {
    lines << description;
}

void NullAdapterHost::setCurrentAdapterLine(int index) {
    current = index;
}

int NullAdapterHost::currentAdapterLine() const {
    return current;
}

int selectSimulatedAdapter(AppContext& context, int line) {
    context.config.load(TestEnv::programDir() + QStringLiteral("KXConfig.INI"));
    NullAdapterHost host;
    AdapterList list;
    AdapterSelector selector(host, list, context.adapter, context.config);
    selector.discover();
    if (line < 0 || line >= list.size())
        return -1;
    if (line != host.current) {
        host.opened = false;
        host.setCurrentAdapterLine(line);
        selector.select();
    }
    kxsim_trace_clear();
    return host.opened ? 0 : -1;
}

} // namespace kx::test
