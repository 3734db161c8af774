#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "adapter/AdapterState.h"
#include "driver/HexText.h"
#include "info/ui/CInformationDlg.h"
#include "kx02app/kxsim.h"
#include "program/LanguageTable.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

class TestInformationDlg final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void showsVersionsInDriverOrder();
    void unknownVersions();
    void failedMacQueryShowsZeros();
    void textsFromTheLanguageFile();

private:
    QString value(const char* name) const {
        return m_dlg->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    }
    void open() {
        clearSimTrace();
        m_dlg = std::make_unique<CInformationDlg>(m_fx->ctx);
    }

    std::unique_ptr<TestContext> m_fx;
    std::unique_ptr<CInformationDlg> m_dlg;
};

void TestInformationDlg::init() {
    m_fx = std::make_unique<TestContext>();
    QCOMPARE(selectSimulatedAdapter(m_fx->ctx), 0);
}

void TestInformationDlg::cleanup() {
    m_dlg.reset();
    m_fx.reset();
}

void TestInformationDlg::showsVersionsInDriverOrder() {
    kxsim_force("QueryWL_DriverVersion", 0x01024A10);
    open();
    QStringList names;
    for (const TraceCall& call : simTrace())
        names << call.fn;
    QCOMPARE(names,
             (QStringList{"QueryWL_DriverVersion", "QueryWL_FirmwareVersion", "GetNICAdapterMAC"}));
    QCOMPARE(value("driverVersionValue"), QStringLiteral("1.02.1010.2004"));
    QVERIFY(
        QRegularExpression(QStringLiteral("^[0-9A-F]+\\.[0-9A-F]{2}\\.\\d{2}[0-9A-F]{2}\\.\\d{4}"
                                          "(-[0-9A-F]+)?$"))
            .match(value("firmwareVersionValue"))
            .hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("^1\\.00\\.0328\\.2003 - [A-Z][a-z]{2} \\d{1,2} "
                                              "\\d{4} \\d{2}:\\d{2}:\\d{2}$"))
                .match(value("utilityVersionValue"))
                .hasMatch());
    std::uint8_t mac[6] = {};
    GetNICAdapterMAC(m_fx->ctx.adapter.record(), mac);
    QCOMPARE(value("macAddressValue"), QString::fromStdString(HexText::fromBytes(mac, 6, true)));
    QVERIFY(QRegularExpression(QStringLiteral("^([0-9A-F]{2} ){5}[0-9A-F]{2}$"))
                .match(value("macAddressValue"))
                .hasMatch());
}

void TestInformationDlg::unknownVersions() {
    kxsim_force("QueryWL_DriverVersion", -1);
    kxsim_force("QueryWL_FirmwareVersion", -1);
    open();
    QCOMPARE(value("driverVersionValue"), QStringLiteral("N/A"));
    QCOMPARE(value("firmwareVersionValue"), QStringLiteral("N/A"));
}

void TestInformationDlg::failedMacQueryShowsZeros() {
    kxsim_force("GetNICAdapterMAC", -1);
    open();
    QCOMPARE(value("macAddressValue"), QStringLiteral("00 00 00 00 00 00"));
}

void TestInformationDlg::textsFromTheLanguageFile() {
    QVERIFY(m_fx->openShippedLanguage());
    open();
    QCOMPARE(m_dlg->windowTitle(), QStringLiteral("Information...  "));
    QCOMPARE(m_dlg->findChild<QLabel*>(QStringLiteral("lastInfo1Label"))->text(),
             QStringLiteral("Tolva Technology Corporation"));
    auto* driverLabel = m_dlg->findChild<QLabel*>(QStringLiteral("driverVersionLabel"));
    QCOMPARE(driverLabel->text(), QStringLiteral("Driver Version:"));
    QCOMPARE(driverLabel->buddy(),
             m_dlg->findChild<QLineEdit*>(QStringLiteral("driverVersionValue")));
    QCOMPARE(m_dlg->findChildren<QPushButton*>().size(), 1);
    m_dlg->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    QCOMPARE(m_dlg->result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestInformationDlg)
#include "test_informationdlg.moc"
