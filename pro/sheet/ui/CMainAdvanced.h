#pragma once
// The professional sheet: the engineering pages that the configuration turns on, as
// tabs in a fixed order, each page made when its tab is first shown. However the sheet
// closes (OK, Cancel, the close box, Escape, or the program ending while it is open)
// it puts the radio back to normal operation.

#include <QList>

#include "pro/sheet/ProfessionalSheet.h"
#include "ui/ChildDialog.h"

class QTabWidget;

namespace kx {

class CMainAdvanced final : public ChildDialog {
    Q_OBJECT
public:
    CMainAdvanced(AppContext& context, QWidget* parent);
    ~CMainAdvanced() override;

    // Lets the "Professional Mode" and "DbgCmd" buttons open the sheet.
    static void install(AppContext& context);
    // Runs the sheet modally over `parent`; with no page to show, says so instead.
    static void open(AppContext& context, QWidget* parent);

private:
    void makePage(int tab);

    QTabWidget* m_tabs = nullptr;
    QList<ProfessionalPage> m_tabPages;
};

} // namespace kx
