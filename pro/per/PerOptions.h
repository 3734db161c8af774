#pragma once
// The PER test's options as the user left them, kept as text in the per-user program
// key and shown again the next time the dialog opens.

#include <optional>

#include <QString>

namespace kx {

struct PerOptions final {
    QString expectedText = QStringLiteral("3000");
    int packetType = 3; // bit 0 unicast, bit 1 multicast; both clear counts both
    bool checkPort = false;
    QString portText = QStringLiteral("8310");

    bool unicast() const { return (packetType & 1) != 0; }
    bool multicast() const { return (packetType & 2) != 0; }

    // A stored packet type of 0 reads as 3.
    static PerOptions load();
    void store() const;

    // A number field as START reads it: its first 40 characters, leading blanks, an
    // optional sign and the digits up to the first other character (none: 0), held
    // to the range of an int.
    static int decimalField(const QString& text);
    // The port field as START reads it; nothing for a number outside 0..65535, which no
    // frame is sent to.
    static std::optional<int> portField(const QString& text);
    static QString portRefused();
};

} // namespace kx
