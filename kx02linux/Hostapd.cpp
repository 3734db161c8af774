#include "kx02linux/Hostapd.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "driver/HexText.h"
#include "driver/MacText.h"
#include "kx02linux/RadioMapping.h"
#include "kx02linux/TextFile.h"
#include "platform/AtomicFile.h"

extern char** environ;

namespace kx::lnx {

namespace fs = std::filesystem;

namespace {

using namespace std::chrono_literals;

constexpr auto kStartWait = 8s;
constexpr auto kStopWait = 3s;
constexpr auto kPoll = 50ms;

int write(const fs::path& file, const std::string& text) {
    std::string reason;
    return AtomicFile::replace(file, text, 0600, reason);
}

const char* hostapdProgram() {
    for (const char* path : {"/usr/sbin/hostapd", "/sbin/hostapd", "/usr/local/sbin/hostapd"}) {
        if (access(path, X_OK) == 0)
            return path;
    }
    return nullptr;
}

std::string macText(const Mac& mac) {
    return MacText::format(mac, MacText::Style::LowerColons);
}

// The 802.11b rates in 100 kbit/s, for the basic rate bits 1, 2, 4 and 8.
constexpr int kBasicRates[] = {10, 20, 55, 110};

pid_t pidOf(const fs::path& pidFile) {
    try {
        return static_cast<pid_t>(std::stol(readTextFile(pidFile)));
    } catch (...) {
        return 0;
    }
}

} // namespace

Hostapd::Files Hostapd::files(const fs::path& runDir, const std::string& ifname) {
    Files f;
    f.config = runDir / ("hostapd-" + ifname + ".conf");
    f.accept = runDir / ("hostapd-" + ifname + ".accept");
    f.deny = runDir / ("hostapd-" + ifname + ".deny");
    f.pid = runDir / ("hostapd-" + ifname + ".pid");
    f.log = runDir / ("hostapd-" + ifname + ".log");
    f.controlDir = runDir / "hostapd";
    f.control = f.controlDir / ifname;
    return f;
}

std::string Hostapd::defaultSsid(const std::string& ifname) {
    return "KXConfig " + ifname;
}

std::string Hostapd::macList(const std::vector<Mac>& macs) {
    std::string text;
    for (const Mac& mac : macs)
        text += macText(mac) + '\n';
    return text;
}

std::string Hostapd::config(const RadioSettings& s, const std::string& ifname, const Files& f,
                            std::uint32_t rts, std::uint32_t frag) {
    const std::string ssid = s.apSsid.empty() ? defaultSsid(ifname) : s.apSsid;
    std::ostringstream c;
    c << "# Written by the KXConfig driver library; changes here are overwritten.\n"
      << "interface=" << ifname << "\ndriver=nl80211\n"
      << "ctrl_interface=" << f.controlDir.string() << "\n"
      << "ssid2=" << HexText::lower(reinterpret_cast<const std::uint8_t*>(ssid.data()), ssid.size())
      << "\nhw_mode=b\nchannel=" << s.channel << "\nwmm_enabled=0\n"
      << "ignore_broadcast_ssid=" << (s.apHidden != 0 ? 1 : 0) << "\n"
      << "preamble=" << (s.preamble == 2 ? 1 : 0) << "\n"
      << "rts_threshold=" << (rts == UINT32_MAX ? -1 : static_cast<long>(rts)) << "\n"
      << "fragm_threshold=" << (frag == UINT32_MAX ? -1 : static_cast<long>(frag)) << "\n";
    if ((s.basicRate & 0xF) != 0) {
        c << "basic_rates=";
        const char* gap = "";
        for (int i = 0; i < 4; ++i) {
            if ((s.basicRate >> i & 1) != 0) {
                c << gap << kBasicRates[i];
                gap = " ";
            }
        }
        c << "\n";
    }
    // Mode 1 lets only the accepted stations in; 0 and 2 all but the denied ones.
    c << "macaddr_acl=" << (s.filterMode == 1 ? 1 : 0) << "\n"
      << "accept_mac_file=" << f.accept.string() << "\n"
      << "deny_mac_file=" << f.deny.string() << "\n";
    if (s.wepStatus != 0) {
        c << "auth_algs=" << s.authMode << "\n"
          << "wep_default_key=" << s.defaultKey << "\n";
        for (int i = 0; i < RadioSettings::kKeyCount; ++i) {
            const std::vector<std::uint8_t> key = s.key(i);
            c << "wep_key" << i << "=" << HexText::lower(key.data(), key.size()) << "\n";
        }
    } else {
        c << "auth_algs=1\n";
    }
    return c.str();
}

bool Hostapd::running(const Files& f) {
    const std::optional<std::string> pong = request(f, "PING");
    return pong && pong->rfind("PONG", 0) == 0;
}

std::optional<std::string> Hostapd::request(const Files& f, const std::string& command) {
    sockaddr_un to{};
    to.sun_family = AF_UNIX;
    if (f.control.string().size() >= sizeof to.sun_path)
        return std::nullopt;
    std::strcpy(to.sun_path, f.control.c_str());
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    // An automatically bound address, so that hostapd can answer.
    sockaddr_un self{};
    self.sun_family = AF_UNIX;
    timeval timeout{2, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::optional<std::string> reply;
    if (bind(fd, reinterpret_cast<sockaddr*>(&self), sizeof(sa_family_t)) == 0 &&
        connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
        send(fd, command.data(), command.size(), 0) == static_cast<ssize_t>(command.size())) {
        char buffer[4096];
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n >= 0)
            reply = std::string(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return reply;
}

int Hostapd::apply(const Files& f, const std::string& config, const RadioSettings& s) {
    const std::vector<Mac> none;
    const bool same = readTextFile(f.config) == config &&
                      readTextFile(f.accept) == macList(s.filterMode == 1 ? s.filter : none) &&
                      readTextFile(f.deny) == macList(s.filterMode == 2 ? s.filter : none);
    if (same && running(f))
        return 0;
    if (write(f.accept, macList(s.filterMode == 1 ? s.filter : none)) != 0 ||
        write(f.deny, macList(s.filterMode == 2 ? s.filter : none)) != 0 ||
        write(f.config, config) != 0)
        return -EIO;
    stop(f);
    const char* program = hostapdProgram();
    if (program == nullptr)
        return -ENOENT;
    mkdir(f.controlDir.c_str(), 0700);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, f.log.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const std::string pid = f.pid.string();
    const std::string conf = f.config.string();
    char* argv[] = {const_cast<char*>("hostapd"),    const_cast<char*>("-B"),
                    const_cast<char*>("-P"),         const_cast<char*>(pid.c_str()),
                    const_cast<char*>(conf.c_str()), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -spawned;
    // With -B the first process ends once hostapd runs in the background.
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -EIO;
    const auto end = std::chrono::steady_clock::now() + kStartWait;
    while (std::chrono::steady_clock::now() < end) {
        const std::optional<std::string> state = request(f, "STATUS");
        if (state && state->find("state=ENABLED") != std::string::npos)
            return 0;
        std::this_thread::sleep_for(kPoll);
    }
    return -ETIMEDOUT;
}

int Hostapd::stop(const Files& f) {
    const pid_t pid = pidOf(f.pid);
    request(f, "TERMINATE");
    if (pid <= 0)
        return 0;
    const auto end = std::chrono::steady_clock::now() + kStopWait;
    while (kill(pid, 0) == 0 && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(kPoll);
    if (kill(pid, 0) == 0)
        kill(pid, SIGKILL);
    unlink(f.pid.c_str());
    return 0;
}

int Hostapd::applyFilter(const Files& f, const std::string& config, const RadioSettings& s,
                         const std::vector<Mac>& stations) {
    const std::vector<Mac> none;
    // The files as a restart would read them, so that the next apply finds them current.
    if (write(f.accept, macList(s.filterMode == 1 ? s.filter : none)) != 0 ||
        write(f.deny, macList(s.filterMode == 2 ? s.filter : none)) != 0 ||
        write(f.config, config) != 0)
        return -EIO;
    std::vector<std::string> commands{"SET macaddr_acl " +
                                          std::to_string(s.filterMode == 1 ? 1 : 0),
                                      "ACCEPT_ACL CLEAR", "DENY_ACL CLEAR"};
    for (const Mac& mac : s.filterMode == 1 ? s.filter : none)
        commands.push_back("ACCEPT_ACL ADD_MAC " + macText(mac));
    for (const Mac& mac : s.filterMode == 2 ? s.filter : none)
        commands.push_back("DENY_ACL ADD_MAC " + macText(mac));
    for (const std::string& command : commands) {
        const std::optional<std::string> reply = request(f, command);
        if (!reply || reply->rfind("OK", 0) != 0)
            return -EIO;
    }
    for (const Mac& mac : stations) {
        if (!RadioMapping::filterAdmits(s.filterMode, s.filter, mac))
            request(f, "DEAUTHENTICATE " + macText(mac));
    }
    return 0;
}

} // namespace kx::lnx
