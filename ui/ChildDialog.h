#pragma once
// What every dialog opened from the main window shares: it is modal to the window that
// opened it (never to the whole program, so the tray icon stays usable), it works on
// the program's context, shows its texts in the current language and opens further
// dialogs the same way. A new dialog derives from it and passes its class name.

#include <QDialog>
#include <QString>

#include "program/LangText.h"
#include "ui/UnsavedNotice.h"
#include "ui/Widgets.h"

namespace kx {

struct AppContext;

class ChildDialog : public QDialog {
    Q_OBJECT
public:
    ~ChildDialog() override;

protected:
    ChildDialog(AppContext& context, QWidget* parent, const char* objectName);

    AppContext& context() const { return m_context; }
    QString text(const LangText& t) const;
    // A language text as the title: the text and two blanks.
    void setTitleText(const LangText& t);

    // Runs a further dialog modal to this one; answers its result code.
    int runChild(QDialog& dialog);
    template <typename Dialog> int runChild() {
        Dialog dialog(m_context, this);
        return runChild(dialog);
    }

    // A state the dialog sets itself: acts on nothing (see Widgets::setQuietly).
    static void setQuietly(QAbstractButton* button, bool checked) {
        Widgets::setQuietly(button, checked);
    }

    void showEvent(QShowEvent* event) override;

    // A change the adapter took but the registry did not: the user hears of it once in
    // this dialog.
    void reportUnsaved(const SettingResult& result) { m_unsaved->report(result); }

    template <typename W, typename Name> static W* named(W* widget, Name name) {
        return Widgets::named(widget, name);
    }

private:
    AppContext& m_context;
    UnsavedNotice* m_unsaved;
};

} // namespace kx
