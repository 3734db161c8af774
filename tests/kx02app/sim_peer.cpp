// Another program on the simulated adapters, for the tests of the world that processes
// share: runs the steps of its command line on one adapter and prints what it reads.
//   sim_peer ADAPTER STEP...
// ADAPTER "-" opens none. Steps: ssid TEXT, type N, restart COUNT, channel N, set FIELD
// VALUE, get FIELD, text FIELD, desired (QueryWL_DesiredChannel), trace (this process's
// call count), list (CreateAllNICAdapterList's count), say TEXT (prints it at once),
// hold MS (kxsim_hold_world), interruptible (SIGINT runs a handler that lets a waiting
// call return, as the command-line tool's does). Exit code 1 on a step it does not know.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "kx02app/kxsim.h"

int main(int argc, char* argv[]) {
    if (argc < 2)
        return 1;
    kxsim_keep_trace(1); // for the "trace" step
    WLAdapterInfo info{};
    info.handle = -1;
    std::strncpy(info.name, argv[1], sizeof info.name - 1);
    if (std::string_view(argv[1]) != "-" && KxOpenAdapter(&info) == 0)
        return 2;
    const auto number = [](const char* text) { return static_cast<int32_t>(std::atol(text)); };
    for (int i = 2; i < argc; ++i) {
        const std::string_view step = argv[i];
        const char* arg = i + 1 < argc ? argv[i + 1] : "";
        if (step == "ssid") {
            std::printf("%d\n", SetWL_SSID(&info, arg));
        } else if (step == "type") {
            std::printf("%d\n", SetWL_NetworkType(&info, number(arg)));
        } else if (step == "channel") {
            std::printf("%d\n", SetWL_Channel(&info, number(arg)));
        } else if (step == "restart") {
            for (int n = number(arg); n > 0; --n)
                SetWL_RestartNIC(&info);
        } else if (step == "set" && i + 2 < argc) {
            std::printf("%d\n", kxsim_set_int(nullptr, arg, std::atoll(argv[i + 2])));
            ++i;
        } else if (step == "get") {
            int64_t value = -12345;
            kxsim_get_int(nullptr, arg, &value);
            std::printf("%lld\n", static_cast<long long>(value));
        } else if (step == "text") {
            char text[300] = {};
            kxsim_get_text(nullptr, arg, text, sizeof text);
            std::printf("%s\n", text);
        } else if (step == "say") {
            std::printf("%s\n", arg);
            std::fflush(stdout);
        } else if (step == "hold") {
            kxsim_hold_world(number(arg));
        } else if (step == "interruptible") {
            struct sigaction action {};
            action.sa_handler = [](int) {};
            sigaction(SIGINT, &action, nullptr);
            continue;
        } else if (step == "desired" || step == "trace" || step == "list") {
            WLAdapterListEntry entries[WL_ADAPTER_LIST_MAX];
            std::printf("%d\n", step == "desired" ? QueryWL_DesiredChannel(&info)
                                : step == "trace"
                                    ? kxsim_trace_count()
                                    : CreateAllNICAdapterList(entries, WL_ADAPTER_LIST_MAX));
            continue;
        } else {
            return 1;
        }
        ++i;
    }
    if (info.handle != -1)
        KxCloseAdapter(&info);
    return 0;
}
