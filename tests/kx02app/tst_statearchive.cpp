// The bytes processes hand each other the world in: whatever comes back is the world
// that went out, or is refused as a whole.
#include <QTest>

#include "kx02app/StateArchive.h"

using namespace kx::sim;

namespace {

struct Inner {
    std::optional<std::int64_t> since;
    std::string name;
    template <typename Archive> void share(Archive& a) { a(since, name); }
    bool operator==(const Inner&) const = default;
};

struct World {
    bool on = false;
    std::array<std::uint8_t, 4> registers{};
    std::vector<Inner> links;
    std::map<std::uint32_t, std::uint32_t> memory;
    std::chrono::steady_clock::time_point start{};
    template <typename Archive> void share(Archive& a) { a(on, registers, links, memory, start); }
    bool operator==(const World&) const = default;
};

// The same world with one more member, as a later build of the library has it.
struct LaterWorld {
    World world;
    int added = 0;
    template <typename Archive> void share(Archive& a) { a(world, added); }
};

World sample() {
    World w;
    w.on = true;
    w.registers = {3, 0x1C, 0, 4};
    w.links = {{std::nullopt, ""}, {1500, "HomeWEP64"}};
    w.memory = {{0x600044, 7}, {0x600048, 0x87}};
    w.start = std::chrono::steady_clock::now();
    return w;
}

} // namespace

class TestStateArchive : public QObject {
    Q_OBJECT

private slots:
    void roundTrip();
    void damagedBytesAreRefusedWhole();
    void anotherBuildsShapeDiffers();
};

void TestStateArchive::roundTrip() {
    World out = sample();
    StateWriter writer;
    writer(out);
    World in;
    StateReader reader(writer.bytes());
    reader(in);
    QVERIFY(reader.complete());
    QCOMPARE(reader.shape(), writer.shape());
    QVERIFY(in == out);
}

void TestStateArchive::damagedBytesAreRefusedWhole() {
    World out = sample();
    StateWriter writer;
    writer(out);
    const std::string bytes(writer.bytes());

    // Cut short anywhere, or with bytes left over.
    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, bytes.size() / 2, bytes.size() - 1}) {
        World in;
        StateReader reader(std::string_view(bytes).substr(0, cut));
        reader(in);
        QVERIFY(!reader.complete());
    }
    World in;
    const std::string longer = bytes + "x";
    StateReader extra(longer);
    extra(in);
    QVERIFY(!extra.complete());

    // A count that claims more than the bytes hold allocates nothing huge.
    std::string huge = bytes;
    const std::size_t linksCount = 1 + 8 + 4; // after `on` and the registers' count and bytes
    const std::uint64_t many = ~std::uint64_t{0} / 2;
    huge.replace(linksCount, sizeof many, reinterpret_cast<const char*>(&many), sizeof many);
    StateReader damaged(huge);
    damaged(in);
    QVERIFY(!damaged.complete());

    // A flag byte that is neither 0 nor 1 is no flag.
    std::string flag = bytes;
    flag[0] = 7;
    StateReader badFlag(flag);
    badFlag(in);
    QVERIFY(!badFlag.complete());
}

void TestStateArchive::anotherBuildsShapeDiffers() {
    LaterWorld later{sample(), 5};
    StateWriter writer;
    writer(later);
    StateWriter older;
    World world = sample();
    older(world);
    QVERIFY(writer.shape() != older.shape());
}

QTEST_GUILESS_MAIN(TestStateArchive)
#include "tst_statearchive.moc"
