#include <QTest>

#include "settings/AdvancedValues.h"

using kx::AdvancedValues;
using V = kx::AdvancedValues;

class TestAdvancedValues final : public QObject {
    Q_OBJECT
private slots:
    void fallbacks_data();
    void fallbacks();
    void preambleDecode_data();
    void preambleDecode();
    void preambleMode_data();
    void preambleMode();
    void texts_data();
    void texts();
};

void TestAdvancedValues::fallbacks_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("reported");
    QTest::addColumn<int>("shown");
    QTest::newRow("level 7") << QStringLiteral("level") << 7 << 0;
    QTest::newRow("level -1") << QStringLiteral("level") << -1 << 0;
    QTest::newRow("level 4") << QStringLiteral("level") << 4 << 4;
    QTest::newRow("fragment 255") << QStringLiteral("fragment") << 255 << 2306;
    QTest::newRow("fragment 256") << QStringLiteral("fragment") << 256 << 256;
    QTest::newRow("fragment 2306") << QStringLiteral("fragment") << 2306 << 2306;
    QTest::newRow("fragment 2307") << QStringLiteral("fragment") << 2307 << 2306;
    QTest::newRow("rts -1") << QStringLiteral("rts") << -1 << 2305;
    QTest::newRow("rts 0") << QStringLiteral("rts") << 0 << 0;
    QTest::newRow("rts 2306") << QStringLiteral("rts") << 2306 << 2305;
    QTest::newRow("mode -1") << QStringLiteral("mode") << -1 << 0;
    QTest::newRow("mode 1") << QStringLiteral("mode") << 1 << 1;
}

void TestAdvancedValues::fallbacks() {
    QFETCH(QString, what);
    QFETCH(int, reported);
    QFETCH(int, shown);
    const int result = what == "level"      ? V::level(reported)
                       : what == "fragment" ? V::fragmentThreshold(reported)
                       : what == "rts"      ? V::rtsThreshold(reported)
                                            : V::mode(reported);
    QCOMPARE(result, shown);
}

void TestAdvancedValues::preambleDecode_data() {
    QTest::addColumn<int>("reported");
    QTest::addColumn<int>("currentChoice");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<int>("choice");
    QTest::newRow("3 automatic") << 3 << 1 << true << -1;
    QTest::newRow("0 automatic, choice kept") << 0 << 1 << true << 1;
    QTest::newRow("failed, choice kept") << -1 << -1 << true << -1;
    QTest::newRow("1 long") << 1 << -1 << false << 0;
    QTest::newRow("2 short") << 2 << -1 << false << 1;
}

void TestAdvancedValues::preambleDecode() {
    QFETCH(int, reported);
    QFETCH(int, currentChoice);
    QFETCH(bool, automatic);
    QFETCH(int, choice);
    const auto state = V::preamble(reported, {false, currentChoice});
    QCOMPARE(state.automatic, automatic);
    QCOMPARE(state.choice, choice);
}

void TestAdvancedValues::preambleMode_data() {
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("choiceAfter");
    QTest::newRow("automatic") << true << 1 << 3 << -1;
    QTest::newRow("no choice means long") << false << -1 << 1 << 0;
    QTest::newRow("long") << false << 0 << 1 << 0;
    QTest::newRow("short") << false << 1 << 2 << 1;
}

void TestAdvancedValues::preambleMode() {
    QFETCH(bool, automatic);
    QFETCH(int, choice);
    QFETCH(int, mode);
    QFETCH(int, choiceAfter);
    V::PreambleState state{automatic, choice};
    QCOMPARE(V::preambleMode(state), mode);
    QCOMPARE(state.choice, choiceAfter);
}

void TestAdvancedValues::texts_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("text");
    QTest::newRow("fragment off") << 2306 << 2306 << QStringLiteral("< 2306 (Off) >");
    QTest::newRow("fragment 2305") << 2305 << 2306 << QStringLiteral("< 2305 >");
    QTest::newRow("rts off") << 2305 << 2305 << QStringLiteral("< 2305 (Off) >");
    QTest::newRow("rts 0") << 0 << 2305 << QStringLiteral("< 0 >");
}

void TestAdvancedValues::texts() {
    QFETCH(int, value);
    QFETCH(int, maximum);
    QFETCH(QString, text);
    QCOMPARE(V::thresholdText(value, maximum, QStringLiteral("Off")), text);
    QCOMPARE(V::levelText(3), QStringLiteral("< Level 3 >"));
    // A language text is data: its percent signs stay as they are.
    QCOMPARE(V::thresholdText(2305, 2305, QStringLiteral("%1 %s")),
             QStringLiteral("< 2305 (%1 %s) >"));
}

QTEST_APPLESS_MAIN(TestAdvancedValues)
#include "test_advancedvalues.moc"
