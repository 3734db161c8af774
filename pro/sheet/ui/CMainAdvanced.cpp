#include "pro/sheet/ui/CMainAdvanced.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "context/AppContext.h"
#include "pro/console/ui/CPropertyDbgCmd.h"
#include "pro/eeprom/ui/CPropertyEEPROMAccess.h"
#include "pro/rftest/ui/CHWTest.h"
#include "pro/sheet/ui/CPropertyPSF.h"
#include "pro/tally/ui/CPropertyTally.h"
#include "program/UiSeam.h"
#include "ui/ProductIcons.h"

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

// The window of each page.
constexpr std::array kPageWindows{
    PageWindow{ProfessionalPage::ProgramSettingFlag, &make<CPropertyPSF>},
    PageWindow{ProfessionalPage::EepromAccess, &make<CPropertyEEPROMAccess>},
    PageWindow{ProfessionalPage::RfHardwareTest, &make<CHWTest>},
    PageWindow{ProfessionalPage::DbgCommand, &make<CPropertyDbgCmd>},
    PageWindow{ProfessionalPage::AdapterTally, &make<CPropertyTally>},
};

PageFactory factoryOf(ProfessionalPage page) {
    const auto* found = std::find_if(kPageWindows.begin(), kPageWindows.end(),
                                     [page](const PageWindow& w) { return w.page == page; });
    Q_ASSERT(found != kPageWindows.end());
    return found->make;
}

} // namespace

CMainAdvanced::CMainAdvanced(AppContext& context, QWidget* parent)
    : ChildDialog(context, parent, "CMainAdvanced") {
    setWindowTitle(ProfessionalSheet::caption());
    setWindowIcon(ProductIcons::application());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_tabs = named(new QTabWidget(this), "pages");
    for (const ProfessionalPageEntry& entry : ProfessionalSheet::pages(context.config)) {
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
    // A driver without engineering functions: the page says so rather than fail quietly.
    const QString notice =
        ProfessionalSheet::unsupportedNotice(context().adapter.record(), m_tabPages[tab]);
    if (!notice.isEmpty()) {
        auto* label = named(new QLabel(notice, holder), "notSupportedNotice");
        label->setWordWrap(true);
        holder->layout()->addWidget(label);
    }
    holder->layout()->addWidget(factoryOf(m_tabPages[tab])(context(), holder));
}

void CMainAdvanced::install(AppContext& context) {
    context.professionalSheet = [&context](QWidget* parent) { open(context, parent); };
}

void CMainAdvanced::open(AppContext& context, QWidget* parent) {
    if (ProfessionalSheet::pages(context.config).isEmpty()) {
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
