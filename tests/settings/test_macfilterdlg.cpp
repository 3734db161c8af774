// The MAC address filter dialog over the simulated access point: what it shows, what its
// list and "Apply" send, and how it guards the adapter's table against a typo and
// against replacing a table nobody saw.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "settings/ui/CMACFilterDlg.h"
#include "tests/settings/SettingsFixture.h"

using namespace kx;
using namespace kx::test;

namespace {

constexpr int kAccessPointLine = 2;

struct AccessPointFixture : TestContext {
    int selected = selectSimulatedAdapter(ctx, kAccessPointLine);

    // The adapter's table: each entry in use as hex, "-" for one not in use.
    QStringList adapterEntries() {
        std::uint8_t table[WL_FILTER_TABLE_BYTES] = {};
        if (QueryWLAP_FilterList(ctx.adapter.record(), table, sizeof table) < 0)
            return {QStringLiteral("<failed>")};
        QStringList entries;
        for (int i = 0; i < WL_FILTER_ENTRIES; ++i) {
            const char* entry = reinterpret_cast<const char*>(table) + 7 * i;
            entries << (entry[0] ? QString::fromLatin1(QByteArray(entry + 1, 6).toHex())
                                 : QStringLiteral("-"));
        }
        return entries;
    }
};

QStringList unused(int count) {
    return QStringList(count, QStringLiteral("-"));
}

} // namespace

class TestMacFilterDlg final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void showsTheAdaptersFilter();
    void filterTypeSentWithTheSsid();
    void applySendsTheWholeTable();
    void mistypedEntryRefusesApply();
    void unreadTableIsReplacedOnlyWhenConfirmed();

private:
    void open();
    QLineEdit* entry(int i) const {
        return child<QLineEdit>(m_dlg.get(), qPrintable(QStringLiteral("entryEdit%1").arg(i)));
    }
    void apply() { child<QPushButton>(m_dlg.get(), "applyButton")->click(); }
    static QStringList sent() { return simCalls({"SetWLAP_", "WriteOid"}); }

    std::unique_ptr<AccessPointFixture> m_fx;
    std::unique_ptr<CMACFilterDlg> m_dlg;
};

void TestMacFilterDlg::init() {
    m_fx = std::make_unique<AccessPointFixture>();
    QCOMPARE(m_fx->selected, 0);
    // The adapter holds two entries to begin with: 0 in use, 1 not.
    std::uint8_t table[WL_FILTER_TABLE_BYTES] = {1, 0x00, 0x16, 0x3E, 0x11, 0x22, 0x33,
                                                 0, 0x00, 0x16, 0x3E, 0x44, 0x55, 0x66};
    QVERIFY(SetWLAP_FilterList(m_fx->ctx.adapter.record(), table, sizeof table) >= 0);
    QCOMPARE(kxsim_set_int(nullptr, "ap_filter_mode", 2), 0);
}

void TestMacFilterDlg::cleanup() {
    m_dlg.reset();
    m_fx.reset();
}

void TestMacFilterDlg::open() {
    clearSimTrace();
    m_dlg = std::make_unique<CMACFilterDlg>(m_fx->ctx);
}

void TestMacFilterDlg::showsTheAdaptersFilter() {
    open();
    QCOMPARE(m_dlg->windowTitle(), QStringLiteral("MAC Address Filter"));
    auto* types = child<QComboBox>(m_dlg.get(), "filterTypeList");
    QCOMPARE(types->currentText(), QStringLiteral("Reject"));
    QCOMPARE(entry(0)->text(), QStringLiteral("00 16 3E 11 22 33"));
    QCOMPARE(entry(1)->text(), QString());
    QVERIFY(child<QLabel>(m_dlg.get(), "unreadNotice")->isHidden());
    // Each box is announced by its number.
    for (int i : {0, 9, 15}) {
        auto* label = child<QLabel>(m_dlg.get(), qPrintable(QStringLiteral("entryLabel%1").arg(i)));
        QCOMPARE(label->buddy(), entry(i));
        QCOMPARE(label->text(), QStringLiteral("%1.").arg(i, 2, 10, QLatin1Char('0')));
    }
    QVERIFY(simCalls({"Set", "WriteOid"}).isEmpty());

    kxsim_force("QueryWLAP_FilterMode", 5);
    open();
    QCOMPARE(child<QComboBox>(m_dlg.get(), "filterTypeList")->currentIndex(), -1);
}

void TestMacFilterDlg::filterTypeSentWithTheSsid() {
    open();
    auto* types = child<QComboBox>(m_dlg.get(), "filterTypeList");
    types->setCurrentIndex(1);
    emit types->activated(1);
    const QStringList calls = sent();
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0], QStringLiteral("SetWLAP_FilterMode(1)"));
    QVERIFY(calls[1].startsWith(QStringLiteral("WriteOid(4278321586,")));
    QCOMPARE(simInt("ap_filter_mode"), 1);
}

// What the boxes show reaches the adapter whole: an emptied box clears its entry and
// the all-zero address lists nothing.
void TestMacFilterDlg::applySendsTheWholeTable() {
    open();
    entry(0)->clear();
    entry(1)->setText(QStringLiteral("00:16:3e:44:55:66"));
    entry(4)->setText(QStringLiteral("00 00 00 00 00 00"));
    entry(15)->setText(QStringLiteral("02000000000F"));
    apply();
    const QStringList calls = sent();
    QCOMPARE(calls.size(), 2);
    QVERIFY(calls[0].startsWith(QStringLiteral("SetWLAP_FilterList(")));
    QVERIFY(calls[1].startsWith(QStringLiteral("WriteOid(4278321586,")));
    const QStringList expected =
        QStringList{"-", "00163e445566"} + unused(13) + QStringList{"02000000000f"};
    QCOMPARE(m_fx->adapterEntries(), expected);
    QVERIFY(m_fx->seam.messages.isEmpty());
}

// A typo names its box and sends nothing: a station on a reject list is never let in
// by a mistyped address.
void TestMacFilterDlg::mistypedEntryRefusesApply() {
    open();
    entry(2)->setText(QStringLiteral("00:16:3E:44:55:66"));
    entry(3)->setText(QStringLiteral("00:16:3E:44:55"));
    entry(0)->setText(QStringLiteral("00 16 3E 11 22 3G"));
    apply();
    QVERIFY(sent().isEmpty());
    QCOMPARE(m_fx->seam.messages.size(), 1);
    QVERIFY(m_fx->seam.messages[0].text.contains(QStringLiteral("00.")));
    QCOMPARE(m_fx->adapterEntries(), QStringList{"00163e112233"} + unused(15));

    entry(0)->setText(QStringLiteral("00 16 3E 11 22 33"));
    apply();
    QCOMPARE(m_fx->seam.messages.size(), 2);
    QVERIFY(m_fx->seam.messages[1].text.contains(QStringLiteral("03.")));
    QVERIFY(sent().isEmpty());
}

void TestMacFilterDlg::unreadTableIsReplacedOnlyWhenConfirmed() {
    kxsim_force("QueryWLAP_FilterList", -1);
    open();
    kxsim_clear_force("QueryWLAP_FilterList");
    auto* notice = child<QLabel>(m_dlg.get(), "unreadNotice");
    QVERIFY(!notice->isHidden());
    for (int i = 0; i < WL_FILTER_ENTRIES; ++i)
        QVERIFY(entry(i)->text().isEmpty());

    entry(5)->setText(QStringLiteral("00 16 3E 44 55 66"));
    m_fx->seam.answers = {false};
    apply();
    QCOMPARE(m_fx->seam.questions.size(), 1);
    QVERIFY(sent().isEmpty());
    QCOMPARE(m_fx->adapterEntries(), QStringList{"00163e112233"} + unused(15));

    m_fx->seam.answers = {true};
    apply();
    QCOMPARE(m_fx->adapterEntries(), unused(5) + QStringList{"00163e445566"} + unused(10));
    QVERIFY(notice->isHidden());
    // The table shown is the adapter's now: no more questions.
    apply();
    QCOMPARE(m_fx->seam.questions.size(), 2);
}

QTEST_MAIN(TestMacFilterDlg)
#include "test_macfilterdlg.moc"
