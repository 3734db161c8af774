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
};

} // namespace kx
