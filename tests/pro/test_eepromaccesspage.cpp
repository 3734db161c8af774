// The EEPROM page and its editors as a person uses them: fields typed, buttons pressed,
// files picked and the program's end, against the simulated adapters.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "info/ui/CInformationDlg.h"
#include "kx02app/kxsim.h"
#include "pro/eeprom/ui/CEepromCisDlg.h"
#include "pro/eeprom/ui/CPropertyEEPROMAccess.h"
#include "tests/support/Children.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/SimTrace.h"
#include "tests/support/TestContext.h"

using namespace kx;
using namespace kx::test;

namespace {

enum Line { PciLine = 0, CardLine = 1, UsbLine = 2 };

const QString kWriteOk = QStringLiteral("EEPROM write process OK!!\nPress OK to terminate this "
                                        "program!!\nAnd please re-Plugin the Card!!");

QByteArray simImage(const char* instance) {
    QByteArray bytes(4096, '\0');
    bytes.resize(kxsim_eeprom(instance, reinterpret_cast<std::uint8_t*>(bytes.data()), 4096));
    return bytes;
}

QByteArray fileBytes(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool wroteEeprom() {
    for (const TraceCall& c : simTrace()) {
        if (c.fn == QLatin1String("WL_WriteEEPROM") || c.fn == QLatin1String("WriteOid"))
            return true;
    }
    return false;
}

// The program as it starts again after the end an EEPROM write asks for.
struct Session final {
    Session(TestContext& t, Line line) : t(t) {
        kxsim_reset();
        t.ctx.adapter = AdapterState{};
        t.seam.exitCode = -1;
        t.seam.messages.clear();
        if (selectSimulatedAdapter(t.ctx, line) != 0)
            qFatal("the simulated adapter %d did not open", line);
        page = std::make_unique<CPropertyEEPROMAccess>(t.ctx);
        page->show();
    }
    void press(const char* name) { child<QPushButton>(page.get(), name)->click(); }
    QString lastMessage() const {
        return t.seam.messages.isEmpty() ? QString() : t.seam.messages.constLast().text;
    }

    TestContext& t;
    std::unique_ptr<CPropertyEEPROMAccess> page;
};

// Runs the next editor with `edit`, which fills its fields and presses "Apply Setting".
void whenEditorOpens(TestContext& t, std::function<void(QDialog&)> edit) {
    t.seam.onModal = [edit](QDialog& dialog) {
        edit(dialog);
        child<QPushButton>(&dialog, "applyButton")->click();
        return dialog.result();
    };
}

} // namespace

class TestEepromAccessPage final : public QObject {
    Q_OBJECT

private slots:
    void macWrittenOnPciAdapterIsShownAfterRestart();
    void imageEditedAndRestoredRoundTrips();
    void refusedEntriesWriteNothing();
    void editorsByBusAndChip();
    void configurationTuplesKeptUnlessTheVoltageChanges();
};

void TestEepromAccessPage::macWrittenOnPciAdapterIsShownAfterRestart() {
    TestContext t;
    Session s(t, PciLine);
    QCOMPARE(child<QLabel>(s.page.get(), "busTypeValue")->text(), QStringLiteral("PCI"));
    QLineEdit* mac = child<QLineEdit>(s.page.get(), "macAddressEdit");
    QCOMPARE(mac->text(), QStringLiteral("00 1C 7E 21 02 07"));
    mac->setText(QStringLiteral("02-00-00-12-34-56"));
    s.press("writeSettingsButton");
    QCOMPARE(mac->text(), QStringLiteral("02 00 00 12 34 56"));
    QCOMPARE(s.lastMessage(), kWriteOk);
    QCOMPARE(t.seam.exitCode, 0);

    Session again(t, PciLine);
    QCOMPARE(child<QLineEdit>(again.page.get(), "macAddressEdit")->text(),
             QStringLiteral("02 00 00 12 34 56"));
    CInformationDlg information(t.ctx);
    QCOMPARE(child<QLineEdit>(&information, "macAddressValue")->text(),
             QStringLiteral("02 00 00 12 34 56"));
}

void TestEepromAccessPage::imageEditedAndRestoredRoundTrips() {
    TestContext t;
    const QString saved = t.env.path() + QStringLiteral("/card.bin");
    const QString edited = t.env.path() + QStringLiteral("/edited.bin");
    const QString restored = t.env.path() + QStringLiteral("/restored.bin");
    Session first(t, CardLine);
    t.seam.fileNames = {saved};
    first.press("loadImageButton");
    QCOMPARE(fileBytes(saved), simImage("0008"));
    QCOMPARE(fileBytes(saved).size(), 512);

    whenEditorOpens(t, [](QDialog& d) {
        child<QLineEdit>(&d, "hardwareVersionEdit")->setText(QStringLiteral("2A"));
        child<QComboBox>(&d, "regionList")->setCurrentIndex(5); // Japan
    });
    first.press("extendedButton");
    QCOMPARE(t.seam.modalClasses.constLast(), QStringLiteral("kx::CEepromExtendedDlg"));
    first.press("writeSettingsButton");
    QCOMPARE(t.seam.exitCode, 0);

    Session second(t, CardLine);
    t.seam.fileNames = {edited};
    second.press("loadImageButton");
    const QByteArray before = fileBytes(saved);
    const QByteArray after = fileBytes(edited);
    QCOMPARE(after.size(), before.size());
    QVERIFY(after.contains(QByteArray::fromHex("02052A")));
    QVERIFY(after.contains(QByteArray::fromHex("020840")));
    t.seam.fileNames = {saved};
    second.press("writeImageButton");
    QCOMPARE(second.lastMessage(), kWriteOk);
    QCOMPARE(t.seam.exitCode, 0);

    Session third(t, CardLine);
    t.seam.fileNames = {restored};
    third.press("loadImageButton");
    QCOMPARE(fileBytes(restored), before);
}

void TestEepromAccessPage::refusedEntriesWriteNothing() {
    TestContext t;
    Session s(t, CardLine);
    const QByteArray image = simImage("0008");
    child<QLineEdit>(s.page.get(), "macAddressEdit")->setText(QStringLiteral("00:1C:7E:31:01"));
    s.press("writeSettingsButton");
    QVERIFY(s.lastMessage().startsWith(QStringLiteral("MAC Address: please enter six")));

    // An image made for another EEPROM, and a save dialog cancelled.
    const QString big = t.env.path() + QStringLiteral("/big.bin");
    QFile file(big);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(5000, '\x5A'));
    file.close();
    t.seam.fileNames = {big};
    s.press("writeImageButton");
    QVERIFY(s.lastMessage().contains(QStringLiteral("holds 5000 bytes")));
    s.press("loadImageButton");
    QCOMPARE(s.lastMessage(), QStringLiteral("Can't open file \"\" for output!!!"));

    // An editor refusing a field stays open, names the field and stores nothing.
    child<QLineEdit>(s.page.get(), "macAddressEdit")->setText(QStringLiteral("00 1C 7E 31 01 08"));
    whenEditorOpens(t, [](QDialog& d) {
        child<QLineEdit>(&d, "hardwareVersionEdit")->setText(QStringLiteral("123"));
        child<QLineEdit>(&d, "serialNumberEdit")->setText(QStringLiteral("AA BB"));
    });
    s.press("extendedButton");
    QCOMPARE(s.lastMessage(), QStringLiteral("Please enter no more than 2 characters."));
    whenEditorOpens(t, [](QDialog& d) {
        child<QLineEdit>(&d, "manufacturerEdit")->setText(QStringLiteral("1C7G"));
    });
    s.press("cisButton");
    QVERIFY(s.lastMessage().startsWith(QStringLiteral("TPLMID_MANF:")));
    QCOMPARE(t.seam.exitCode, -1);
    QVERIFY(!wroteEeprom());

    // Nothing of the refused edits reaches the card.
    t.seam.onModal = nullptr;
    s.press("writeSettingsButton");
    QCOMPARE(t.seam.exitCode, 0);
    QVERIFY(!simImage("0008").contains(QByteArray::fromHex("0D09AABB")));
    QCOMPARE(simImage("0008").left(256), image.left(256));
}

void TestEepromAccessPage::editorsByBusAndChip() {
    TestContext t;
    {
        Session pci(t, PciLine);
        QVERIFY(!child<QPushButton>(pci.page.get(), "cisButton")->isEnabled());
        QVERIFY(child<QPushButton>(pci.page.get(), "pciButton")->isEnabled());
        whenEditorOpens(t, [](QDialog& d) {
            // The USB identity is shown, not to be changed; the newer chip keeps no
            // RF module or PA type.
            QLineEdit* usbVendor = child<QLineEdit>(&d, "usbVendorIdEdit");
            QCOMPARE(usbVendor->text(), QStringLiteral("1D5A"));
            QVERIFY(!usbVendor->isEnabled());
            QVERIFY(!child<QLineEdit>(&d, "usbString1Edit")->isEnabled());
            QVERIFY(!child<QComboBox>(&d, "rfModuleList")->isEnabled());
            QVERIFY(child<QComboBox>(&d, "regionList")->isEnabled());
        });
        pci.press("extendedButton");
        whenEditorOpens(t, [](QDialog& d) {
            QCOMPARE(child<QLineEdit>(&d, "vendorEdit")->text(), QStringLiteral("1C7E"));
            child<QLineEdit>(&d, "vendorEdit")->setText(QStringLiteral("7B"));
        });
        pci.press("pciButton");
        QCOMPARE(t.seam.modalClasses.constLast(), QStringLiteral("kx::CEepromPciDlg"));
        pci.press("writeSettingsButton");
        QVERIFY(simImage("0007").startsWith(QByteArray::fromHex("0221007B")));
    }
    Session usb(t, UsbLine);
    QCOMPARE(child<QLabel>(usb.page.get(), "busTypeValue")->text(), QStringLiteral("USB"));
    QVERIFY(!child<QPushButton>(usb.page.get(), "pciButton")->isEnabled());
    whenEditorOpens(t, [](QDialog& d) {
        QVERIFY(child<QLineEdit>(&d, "usbDeviceIdEdit")->isEnabled());
        QVERIFY(child<QComboBox>(&d, "paTypeList")->isEnabled());
        QVERIFY(child<QLineEdit>(&d, "usbString2Edit")->isReadOnly());
    });
    usb.press("extendedButton");
    // Closing an editor without "Apply Setting" keeps nothing it showed.
    t.seam.onModal = [](QDialog& d) {
        child<QLineEdit>(&d, "usbDeviceIdEdit")->setText(QStringLiteral("9999"));
        d.reject();
        return d.result();
    };
    usb.press("extendedButton");
    usb.press("writeSettingsButton");
    QVERIFY(!simImage("0009").contains(QByteArray::fromHex("030C9999")));
    QVERIFY(simImage("0009").contains(QByteArray::fromHex("030C0131")));
}

// A card with two configuration entries, one of them custom, and a short one: a new
// product name leaves every byte of them (another voltage rewrites them, see the fields
// test).
void TestEepromAccessPage::configurationTuplesKeptUnlessTheVoltageChanges() {
    TestContext t;
    QCOMPARE(selectSimulatedAdapter(t.ctx, CardLine), 0);
    EepromSettings::Tuples tuples;
    const char* const read[] = {"040041434d4500", "c1011977b51e35b53c363605467fffff",
                                "02011977b51e35b53c36360546200000", "030108"};
    for (std::size_t i = 0; i < std::size(read); ++i) {
        const QByteArray data = QByteArray::fromHex(read[i]);
        tuples[i] = {std::uint8_t(i == 0 ? 0x15 : 0x1B), std::uint8_t(data.size()), {}};
        std::copy(data.begin(), data.end(), tuples[i].data.begin());
    }
    const EepromSettings::Tuples before = tuples;
    CEepromCisDlg cis(t.ctx, tuples, nullptr);
    child<QLineEdit>(&cis, "productNameEdit")->setText("WLAN Card");
    child<QPushButton>(&cis, "applyButton")->click();
    QVERIFY(tuples[0] != before[0]);
    QVERIFY(std::equal(before.begin() + 1, before.end(), tuples.begin() + 1));
}

QTEST_MAIN(TestEepromAccessPage)
#include "test_eepromaccesspage.moc"
