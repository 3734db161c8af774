#include "pro/CMainAdvanced.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "app/AppContext.h"
#include "app/UiSeam.h"
#include "mainwnd/ProductIcons.h"
#include "pro/CPropertyDbgCmd.h"
#include "pro/CPropertyPSF.h"
#include "pro/CPropertyTally.h"

namespace kx {

namespace {

using PageFactory = QWidget* (*)(AppContext&, QWidget*);

template <typename Page> QWidget* make(AppContext& context, QWidget* parent) {
    return new Page(context, parent);
}

struct PageWindow {
    ProfessionalPage page;
    PageFactory make;
};

// The window of each page. A page the configuration turns on but that has no window
// here is not shown.
constexpr std::array kPageWindows{
    PageWindow{ProfessionalPage::ProgramSettingFlag, &make<CPropertyPSF>},
    PageWindow{ProfessionalPage::DbgCommand, &make<CPropertyDbgCmd>},
    PageWindow{ProfessionalPage::AdapterTally, &make<CPropertyTally>},
};

PageFactory factoryOf(ProfessionalPage page) {
    const auto* found = std::find_if(kPageWindows.begin(), kPageWindows.end(),
                                     [page](const PageWindow& w) { return w.page == page; });
    return found == kPageWindows.end() ? nullptr : found->make;
}

// The pages the sheet shows for `config`, in tab order.
QList<ProfessionalPageEntry> shownPages(const ProgramConfig& config) {
    QList<ProfessionalPageEntry> shown = ProfessionalSheet::pages(config);
    shown.removeIf([](const ProfessionalPageEntry& p) { return factoryOf(p.page) == nullptr; });
    return shown;
}

} // namespace

CMainAdvanced::CMainAdvanced(AppContext& context, QWidget* parent)
    : ChildDialog(context, parent, "CMainAdvanced") {
    setWindowTitle(ProfessionalSheet::caption());
    setWindowIcon(ProductIcons::application());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_tabs = named(new QTabWidget(this), "pages");
    for (const ProfessionalPageEntry& entry : shownPages(context.config)) {
        // A page is made when its tab is first shown, as a property sheet does.
        auto* holder = named(new QWidget, "pageHolder");
        auto* holderLayout = new QVBoxLayout(holder);
        holderLayout->setContentsMargins(0, 0, 0, 0);
        m_tabs->addTab(holder, entry.title);
        m_tabPages.append(entry.page);
    }
    makePage(m_tabs->currentIndex());
    connect(m_tabs, &QTabWidget::currentChanged, this, &CMainAdvanced::makePage);

    auto* buttons = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel),
                          "sheetButtons");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* box = new QVBoxLayout(this);
    box->addWidget(m_tabs);
    box->addWidget(buttons);
}

// Whichever way the sheet went, the test transmit patterns, the manual RF lines and a
// continuous transmission started on a page must not outlive it.
CMainAdvanced::~CMainAdvanced() {
    ProfessionalSheet::restoreRadio(context().adapter.record());
}

void CMainAdvanced::makePage(int tab) {
    if (tab < 0 || tab >= m_tabPages.size())
        return;
    QWidget* holder = m_tabs->widget(tab);
    if (holder->layout()->count() != 0)
        return;
    holder->layout()->addWidget(factoryOf(m_tabPages[tab])(context(), holder));
}

void CMainAdvanced::install(AppContext& context) {
    context.professionalSheet = [&context](QWidget* parent) { open(context, parent); };
}

void CMainAdvanced::open(AppContext& context, QWidget* parent) {
    if (shownPages(context.config).isEmpty()) {
        context.ui.inform(parent, ProfessionalSheet::caption(),
                          QStringLiteral("No professional page is configured. KXConfig.INI "
                                         "turns pages on in its section "
                                         "[PROFESSIONAL_ACTIVE_PAGE]."));
        return;
    }
    CMainAdvanced sheet(context, parent);
    context.ui.runModal(sheet);
}

} // namespace kx
