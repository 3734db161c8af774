#pragma once
// A page of the professional sheet. It works on the adapter only once it is first
// shown, as a tab the user opened: a page never looked at sends nothing to the radio.
// Each later showing (the user coming back to the tab) can read the adapter again.

#include <QWidget>

class QShowEvent;

namespace kx {

struct AppContext;

class SheetPage : public QWidget {
    Q_OBJECT
public:
    ~SheetPage() override;

    // The title of the message boxes of the sheet's pages and editors.
    static QString messageTitle() { return QStringLiteral("KXConfig"); }

protected:
    // `title` is the tab text.
    SheetPage(AppContext& context, QWidget* parent, const char* objectName, const char* title);

    AppContext& context() const { return m_context; }
    // Reads the adapter and fills the page; called once, before the first activated().
    virtual void initialise() = 0;
    virtual void activated() {}
    // A message box over the page.
    void tell(const QString& text);

    void showEvent(QShowEvent* event) override;

private:
    AppContext& m_context;
    bool m_initialised = false;
};

} // namespace kx
