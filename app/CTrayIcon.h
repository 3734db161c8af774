#pragma once
// The program's icon in the notification area, the user's way back to the hidden main
// window and the only way to end the program. Its two commands are handled by the main
// window. Where the desktop has no notification area, a small persistent indicator
// window offers the same commands, so the program never becomes unreachable.

#include <QObject>
#include <QString>

#include <memory>

#include "context/ProgramTray.h"

namespace kx {

class LanguageTable;

class CTrayIcon final : public QObject, public ProgramTray {
    Q_OBJECT
public:
    static constexpr int kMaxTooltip = 63;

    // The program's texts come from `language`, in its current language.
    explicit CTrayIcon(const LanguageTable& language, QObject* parent = nullptr);
    ~CTrayIcon() override;

    // Shows the icon with its tooltip (cut to 63 characters); the default command is
    // the one a double click runs.
    bool create(const QString& tooltip, Command defaultCommand = OpenCommand);
    void remove() override;
    bool setTooltipText(const QString& text);
    void setItemTexts(const QString& openText, const QString& exitText);
    bool isActive() const;
    QString tooltip() const;

    // The program's own icon: tooltip and item texts of the current language, the open
    // command as default. Start-up and the main window's re-add both use it.
    bool createWithProgramTexts() override;
    void applyProgramTexts() override;

signals:
    // A menu command or the double-click default, delivered queued.
    void command(kx::ProgramTray::Command command);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace kx
