// Settings and their records: applying a whole set of settings to the adapter with its
// registry writes, reading and writing a hive of 1,000 values, walking 100 profiles,
// importing 2,000, and decoding a full site survey.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <QFile>

#include "bench/BenchContext.h"
#include "ctl/ControlCommand.h"
#include "ctl/ControlOutput.h"
#include "ctl/ProfileTransfer.h"
#include "mainwnd/SignalMapping.h"
#include "mainwnd/SurveyRecord.h"
#include "platform/RegHive.h"
#include "platform/RegParser.h"
#include "platform/Registry.h"
#include "program/UserProfile.h"
#include "store/WirelessSettings.h"
#include "tests/store/SampleSettings.h"
#include "tests/support/SelectedAdapter.h"

namespace kx::bench {

namespace {

constexpr int kHiveKeys = 10;
constexpr int kValuesPerKey = 100;
constexpr int kProfiles = 100;
const std::string kHiveRoot = "HKEY_CURRENT_USER";

std::string keyPath(int key) {
    return "Software\\Tolva\\Bench\\Key" + std::to_string(key);
}

std::string valueName(int value) {
    return "Value" + std::to_string(value);
}

// Text and numbers, as the program records them.
RegHive thousandValues() {
    RegHive hive(kHiveRoot);
    for (int k = 0; k < kHiveKeys; ++k) {
        RegKey& key = hive.ensureKey(keyPath(k));
        for (int v = 0; v < kValuesPerKey; ++v)
            key.setValue(v % 2 == 0
                             ? RegValue::makeText(valueName(v), "Tolva-" + std::to_string(v))
                             : RegValue::makeDword(valueName(v), static_cast<std::uint32_t>(v)));
    }
    return hive;
}

void BM_ApplyToAdapter(benchmark::State& state) {
    BenchContext b;
    test::selectSimulatedAdapter(b.ctx);
    const WirelessSettings settings[2] = {test::sampleSettings(), WirelessSettings{}};
    int which = 0;
    for (auto _ : state) {
        which = 1 - which;
        benchmark::DoNotOptimize(b.ctx.settings.apply(settings[which]));
    }
}
BENCHMARK(BM_ApplyToAdapter)->Unit(benchmark::kMillisecond);

void BM_HiveLoad1000(benchmark::State& state) {
    const std::string text = thousandValues().serialize();
    for (auto _ : state) {
        RegHive hive(kHiveRoot);
        RegParseError error;
        benchmark::DoNotOptimize(RegParser::parse(text, hive, error));
    }
}
BENCHMARK(BM_HiveLoad1000);

void BM_HiveSave1000(benchmark::State& state) {
    const RegHive hive = thousandValues();
    for (auto _ : state)
        benchmark::DoNotOptimize(hive.serialize());
}
BENCHMARK(BM_HiveSave1000);

// One value changed in a hive of 1,000: read, changed, written and synced to disk.
void BM_HiveWrite1000(benchmark::State& state) {
    BenchContext b;
    std::vector<RegistryDefault> values;
    for (int k = 0; k < kHiveKeys; ++k) {
        for (int v = 0; v < kValuesPerKey; ++v)
            values.push_back({keyPath(k), valueName(v), std::to_string(v)});
    }
    Registry::ensureValues(Hive::CurrentUser, values);
    std::uint32_t n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Registry::writeDword(Hive::CurrentUser, keyPath(0), valueName(1), ++n));
}
BENCHMARK(BM_HiveWrite1000)->Unit(benchmark::kMillisecond);

void BM_ProfileWalk100(benchmark::State& state) {
    BenchContext b;
    // The chain as the store links it: the program's key names the first profile, each
    // profile the next.
    const std::string user = UserProfile::keyPath().toStdString();
    std::vector<RegistryDefault> links;
    for (int p = 0; p < kProfiles; ++p) {
        const std::string name = "Profile " + std::to_string(p);
        const std::string from =
            p == 0 ? user : user + "\\Profile\\Profile " + std::to_string(p - 1);
        links.push_back({from, "ProfileLink", name});
        links.push_back({user + "\\Profile\\" + name, "Channel", "6"});
    }
    Registry::ensureValues(Hive::CurrentUser, links);
    for (auto _ : state)
        benchmark::DoNotOptimize(b.ctx.store.profileNames());
}
BENCHMARK(BM_ProfileWalk100);

// kxctl importing 2,000 profiles into an empty store, checked, stored and reported.
void BM_ProfileImport2000(benchmark::State& state) {
    BenchContext b;
    QList<ProfileTransfer::Profile> profiles;
    for (int p = 0; p < 2000; ++p)
        profiles.append({QStringLiteral("Profile %1").arg(p), test::sampleSettings(), true});
    const QString file = b.env.path() + QStringLiteral("/profiles.json");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(ProfileTransfer::write(profiles, true)) < 0)
        state.SkipWithError("the file of profiles cannot be written");
    out.close();
    const auto nowhere = [](QByteArrayView) { return 0; };
    ControlOutput output(nowhere, nowhere);
    ControlCommand command(b.ctx, output, {[](int) {}, {}});
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(Registry::hiveFile(Hive::CurrentUser));
        state.ResumeTiming();
        if (command.run({QStringLiteral("profile"), QStringLiteral("import"), file}) != 0)
            state.SkipWithError("the import failed");
    }
}
BENCHMARK(BM_ProfileImport2000)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the network list and the selected network's view read from each record.
void BM_SurveyDecode20(benchmark::State& state) {
    WLSurveyBuffer buffer{};
    for (std::uint32_t i = 0; i < WL_SURVEY_MAX_RECORDS; ++i) {
        WLSurveyRecord& r = buffer.records[i];
        r.length = sizeof r;
        const std::string ssid = "Network-" + std::to_string(i);
        r.ssidLength = static_cast<std::uint32_t>(ssid.size());
        std::copy(ssid.begin(), ssid.end(), r.ssid);
        r.bssid[5] = static_cast<std::uint8_t>(i);
        r.frequencyKHz = 2412000 + 5000 * (i % 13);
        r.infrastructureMode = i % 3 == 0 ? 0 : 1;
        r.privacy = i % 2;
        r.signal = static_cast<std::int32_t>(20 + 3 * i);
    }
    buffer.count = WL_SURVEY_MAX_RECORDS;
    const SignalRange range{20, 80};
    for (auto _ : state) {
        const int n = SurveyRecord::count(buffer);
        for (int i = 0; i < n; ++i) {
            const SurveyRecord r(buffer.records[i]);
            benchmark::DoNotOptimize(r.ssidText());
            benchmark::DoNotOptimize(SignalMapping::surveyStrengthText(r.signal(), range, false));
            benchmark::DoNotOptimize(r.channel());
            benchmark::DoNotOptimize(r.bssidText());
            benchmark::DoNotOptimize(r.infrastructureMode());
        }
    }
}
BENCHMARK(BM_SurveyDecode20);

} // namespace

} // namespace kx::bench
