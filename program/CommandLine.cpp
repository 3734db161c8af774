#include "program/CommandLine.h"

namespace kx {

CommandLine::Request CommandLine::parse(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == u"--")
            break;
        if (arg == u"--help" || arg == u"-h")
            return Request::Help;
        if (arg == u"--version")
            return Request::Version;
    }
    return Request::Run;
}

QString CommandLine::helpText() {
    return QStringLiteral(
        "Usage: kxconfig [OPTION]\n"
        "Tolva Wireless LAN Configuration Tool: shows the link of a Tolva 802.11b\n"
        "adapter, scans for networks and joins one, and changes the adapter's settings.\n"
        "\n"
        "The program lives in the notification area: right-click its icon for\n"
        "\"Open Utility Window\" and \"Exit KXConfig\", or double-click it to open the\n"
        "window. Where the desktop has no notification area, a small window in the\n"
        "top right corner of the screen stands in for the icon.\n"
        "\n"
        "Options:\n"
        "  -h, --help     show this help and exit\n"
        "      --version  show the version and exit\n"
        "\n"
        "Environment:\n"
        "  KXCONFIG_REGISTRY_DIR  where the settings are kept\n"
        "                         (default: $XDG_DATA_HOME/kxconfig/registry)\n"
        "  KX02APP_SCENARIO       scenario file for the simulated adapters\n"
        "  KX02APP_STATE_DIR      where the simulated adapters keep their EEPROM images\n"
        "  KX02APP_TRACE          file that receives one line per driver call\n");
}

QString CommandLine::versionText() {
    return QStringLiteral("KXConfig " KX_VERSION "\n");
}

std::optional<int> CommandLine::answer(const QStringList& arguments, std::FILE* out) {
    QString text;
    switch (parse(arguments)) {
    case Request::Run:
        return std::nullopt;
    case Request::Help:
        text = helpText();
        break;
    case Request::Version:
        text = versionText();
        break;
    }
    // A text that never arrived (a full disk, a closed pipe) is not a success.
    const QByteArray bytes = text.toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, bytes.size(), out) ==
                             static_cast<std::size_t>(bytes.size()) &&
                         std::fflush(out) == 0;
    if (!written) {
        std::fputs("kxconfig: write error\n", stderr);
        return 1;
    }
    return 0;
}

std::optional<int> CommandLine::answer(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return answer(arguments, stdout);
}

} // namespace kx
