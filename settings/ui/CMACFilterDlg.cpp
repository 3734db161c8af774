#include "settings/ui/CMACFilterDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "context/AppContext.h"
#include "driver/DriverCodes.h"
#include "program/UiSeam.h"
#include "ui/Widgets.h"

namespace kx {

namespace {

const QString kTitle = QStringLiteral("MAC Address Filter");
// Position = filter mode.
const char* const kFilterTypeTexts[] = {"Disable", "Accept", "Reject"};
constexpr int kEntriesPerColumn = MacFilterTable::kEntries / 2;
// Room for an address written with separators and blanks around them.
constexpr int kEntryMaxLength = 29;

} // namespace

CMACFilterDlg::CMACFilterDlg(AppContext& context, QWidget* parent)
    : ChildDialog(context, parent, "CMACFilterDlg") {
    setWindowTitle(kTitle);
    buildLayout();
    connect(m_filterTypeList, &QComboBox::activated, this, &CMACFilterDlg::onFilterTypeChosen);
    connect(m_applyButton, &QPushButton::clicked, this, &CMACFilterDlg::onApply);
    readFilter();
}

CMACFilterDlg::~CMACFilterDlg() = default;

void CMACFilterDlg::buildLayout() {
    m_filterTypeList = named(new QComboBox, "filterTypeList");
    for (const char* text : kFilterTypeTexts)
        m_filterTypeList->addItem(QString::fromLatin1(text));
    auto* typeLabel = named(new QLabel(QStringLiteral("Filter Type:  ")), "filterTypeLabel");
    typeLabel->setBuddy(m_filterTypeList);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(typeLabel);
    typeRow->addWidget(m_filterTypeList);
    typeRow->addStretch();

    auto* group = named(new QGroupBox(QStringLiteral("Filte MAC Address"), this), "addressGroup");
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < MacFilterTable::kEntries; ++i) {
        auto* edit = named(new QLineEdit, QStringLiteral("entryEdit%1").arg(i));
        edit->setMaxLength(kEntryMaxLength);
        // An address with separators shows whole, with a little room to spare.
        edit->setMinimumWidth(
            edit->fontMetrics().horizontalAdvance(QStringLiteral("00-00-00-00-00-00 00")));
        auto* label =
            named(new QLabel(MacFilterTable::entryLabel(i)), QStringLiteral("entryLabel%1").arg(i));
        label->setBuddy(edit);
        const int row = i % kEntriesPerColumn;
        const int column = (i / kEntriesPerColumn) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        m_entryEdits[static_cast<std::size_t>(i)] = edit;
    }

    m_unreadNotice = named(new QLabel(QStringLiteral(
                               "The filter table could not be read from the adapter: the boxes do "
                               "not show its entries.")),
                           "unreadNotice");
    m_unreadNotice->setWordWrap(true);
    m_unreadNotice->hide();

    m_applyButton = Widgets::button(this, "applyButton");
    m_applyButton->setText(QStringLiteral("Apply"));
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_applyButton);

    auto* box = new QVBoxLayout(this);
    box->addLayout(typeRow);
    box->addWidget(group);
    box->addWidget(m_unreadNotice);
    box->addLayout(buttonRow);
}

void CMACFilterDlg::readFilter() {
    WLAdapterInfo* adapter = context().adapter.record();
    // A mode outside 0..2, a failed query included, selects nothing.
    const int mode = QueryWLAP_FilterMode(adapter);
    m_filterTypeList->setCurrentIndex(mode >= 0 && mode < m_filterTypeList->count() ? mode : -1);

    MacFilterTable::Bytes bytes{};
    m_tableRead = QueryWLAP_FilterList(adapter, bytes.data(), WL_FILTER_TABLE_BYTES) >= 0;
    m_unreadNotice->setVisible(!m_tableRead);
    if (!m_tableRead)
        return;
    const QStringList texts = MacFilterTable::decode(bytes).texts();
    for (int i = 0; i < MacFilterTable::kEntries; ++i)
        m_entryEdits[static_cast<std::size_t>(i)]->setText(texts.value(i));
}

void CMACFilterDlg::onFilterTypeChosen(int position) {
    if (position < 0)
        return;
    SettingResult result = context().settings.setFilterMode(FilterMode{position});
    result += context().settings.resendSsid();
    reportUnsaved(result);
}

void CMACFilterDlg::onApply() {
    int badEntry = -1;
    const std::optional<MacFilterTable> table = MacFilterTable::fromTexts(entryTexts(), badEntry);
    if (!table) {
        // Nothing is sent: a mistyped address must not drop a station from the list.
        context().ui.inform(this, kTitle, MacFilterTable::entryError(badEntry));
        QLineEdit* edit = m_entryEdits[static_cast<std::size_t>(badEntry)];
        edit->setFocus();
        edit->selectAll();
        return;
    }
    if (!replaceUnreadTable())
        return;
    const MacFilterTable::Bytes bytes = table->encode();
    SettingResult sent = context().settings.setFilterTable(bytes);
    if (!sent.driverRefused()) {
        // The adapter now holds what the boxes show.
        m_tableRead = true;
        m_unreadNotice->hide();
    }
    sent += context().settings.resendSsid();
    reportUnsaved(sent);
}

bool CMACFilterDlg::replaceUnreadTable() {
    return m_tableRead ||
           context().ui.askYesNo(
               this, kTitle,
               QStringLiteral("The adapter's filter table could not be read, so its entries are "
                              "not shown here.\nReplace the whole table with the entries in this "
                              "window?"));
}

QStringList CMACFilterDlg::entryTexts() const {
    QStringList texts;
    for (const QLineEdit* edit : m_entryEdits)
        texts << edit->text();
    return texts;
}

} // namespace kx
