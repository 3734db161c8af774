#pragma once
// Everything the main window shows, as plain values: the station monitor fills it, the
// window draws it. A field the window cannot tell from its widgets (the list rows, the
// adapter lines) carries a revision that changes whenever the rows were rebuilt, so a
// selection survives every tick that leaves the rows alone.

#include <array>

#include <QList>
#include <QString>
#include <QStringList>

namespace kx {

struct MainView final {
    static constexpr int kInfoRows = 5;
    static constexpr int kIconFrames = 3;
    // Column widths of the network list.
    static constexpr int kSsidColumnWidth = 105;
    static constexpr int kStrengthColumnWidth = 64;
    static constexpr int kStationColumnWidth = 169;

    struct InfoRow {
        QString label;
        QString value;
        bool shown = true;
    };
    struct Column {
        QString header;
        int width = 0;
    };

    QString title;

    // Adapter drop-down and mode switch.
    QString adapterLabel;
    QStringList adapterLines;
    int currentAdapterLine = -1;
    int adapterLinesRevision = 0;
    QString modeLabel;
    QString modeButton;
    bool modeShown = false;

    // Network list: surveyed networks, or the access point's stations.
    QString listLabel;
    QString listButton;
    bool listEnabled = true;
    QList<Column> columns;
    QList<QStringList> rows;
    int rowsRevision = 0;

    // Information group.
    QString groupTitle;
    std::array<InfoRow, kInfoRows> info{};
    QString groupButton;
    bool groupButtonShown = true;

    // Bottom area.
    QString linkStatusLabel;
    QString linkStatus;
    bool linkStatusShown = true;
    QString signalLabel;
    QString signalText;
    int signalPercent = 0;
    QString qualityLabel;
    QString qualityText;
    int qualityPercent = 0;
    bool signalShown = true;
    QString txLabel;
    QString txFrames;
    QString rxLabel;
    QString rxFrames;
    bool framesShown = true;
    QString notice;
    bool noticeShown = false;
    int iconFrame = 0; // 0..kIconFrames-1, the frame of the status animation

    // The driver's answers behind the value texts, for readers that want codes rather
    // than words in the user's language; -1 where there is no answer (yet).
    struct Answers {
        int channel = -1;
        int networkType = -1;
        int txRate = -1; // the code the rate row shows
        int wepStatus = -1;
        int wepBits = -1; // access point: 0 64-bit, 1 128-bit keys
        int txPower = -1; // access point
        int portStatus = -1;
        QString ssid;    // the SSID row's network as the adapter names it; empty for any
        int signal = -1; // the averaged level while signal and quality are shown
    };
    Answers answers;
};

} // namespace kx
