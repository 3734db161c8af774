#include "pro/tally/ui/CPropertyTally.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "context/AppContext.h"
#include "ui/Widgets.h"

namespace kx {

namespace {
enum Column { NameColumn, DataColumn };
constexpr int kNameWidth = 210;
constexpr int kDataWidth = 120;
constexpr Qt::Alignment kDataAlignment = Qt::AlignRight | Qt::AlignVCenter;
} // namespace

CPropertyTally::CPropertyTally(AppContext& context, QWidget* parent)
    : QWidget(parent), m_ctx(context) {
    setObjectName(QStringLiteral("CPropertyTally"));
    // Made in the order they stand: the order of Tab and of assistive technology.
    m_list = Widgets::named(new QTreeWidget(this), "tallyList");
    m_list->setAccessibleName(QStringLiteral("Adapter Tally"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Data")});
    m_list->headerItem()->setTextAlignment(DataColumn, kDataAlignment);
    m_list->header()->setStretchLastSection(false);
    m_list->setColumnWidth(NameColumn, kNameWidth);
    m_list->setColumnWidth(DataColumn, kDataWidth);
    // Room for all 21 rows and both columns without scrolling.
    m_list->setMinimumSize(kNameWidth + kDataWidth + 2 * m_list->frameWidth() + 24,
                           m_list->fontMetrics().height() * 26);

    auto* update = Widgets::button(this, "updateButton");
    update->setText(QStringLiteral("Update"));
    auto* reset = Widgets::button(this, "resetButton");
    reset->setText(QStringLiteral("Reset"));
    m_debugTally = Widgets::named(new QCheckBox(QStringLiteral("DbgTally"), this), "dbgTallyCheck");
    // Only the newer chip's driver keeps the debug counters.
    m_debugTally->setVisible(m_ctx.adapter.newerChip());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(update);
    buttons->addWidget(reset);
    buttons->addWidget(m_debugTally);
    buttons->addStretch(1);
    auto* box = new QVBoxLayout(this);
    box->addWidget(m_list, 1);
    box->addLayout(buttons);

    // The check box only chooses what the next Update or Reset reads.
    connect(update, &QPushButton::clicked, this, [this] {
        showRows(AdapterTally::update(m_ctx.adapter.record(), m_ctx.adapter.newerChip(),
                                      m_debugTally->isChecked()));
    });
    connect(reset, &QPushButton::clicked, this, [this] {
        showRows(AdapterTally::reset(m_ctx.adapter.record(), m_ctx.adapter.newerChip(),
                                     m_debugTally->isChecked()));
    });
}

void CPropertyTally::showRows(const std::optional<QList<TallyRow>>& rows) {
    if (!rows)
        return;
    m_list->clear();
    for (const TallyRow& row : *rows) {
        auto* item = new QTreeWidgetItem(m_list, {row.name, row.value});
        item->setTextAlignment(DataColumn, kDataAlignment);
    }
}

} // namespace kx
