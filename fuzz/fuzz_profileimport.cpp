// A file of profiles as kxctl imports it: what is read holds only values the adapter
// takes and writes back as itself, and an import stores exactly what it reports (or,
// when the registry refuses the write, nothing).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include <QByteArray>

#include "adapter/AdapterState.h"
#include "ctl/ProfileTransfer.h"
#include "fuzz/FuzzCheck.h"
#include "platform/Registry.h"
#include "store/SettingsStore.h"
#include "store/StationFields.h"

using namespace kx;

namespace {

void readsBackAsItself(const ProfileTransfer::Profile& p) {
    QString error;
    const std::optional<ProfileTransfer::Contents> again =
        ProfileTransfer::read(ProfileTransfer::write({p}, p.withKeys), error);
    KX_FUZZ_CHECK(again && again->unreadable.isEmpty() && again->profiles.size() == 1);
    const ProfileTransfer::Profile& q = again->profiles.first();
    KX_FUZZ_CHECK(q.name == p.name && q.withKeys == p.withKeys && q.settings == p.settings);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char dir[] = "/dev/shm/kxfuzz-profiles-XXXXXX";
    if (::mkdtemp(dir) == nullptr)
        std::abort();
    ::setenv("KXCONFIG_REGISTRY_DIR", dir, 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QString error;
    const std::optional<ProfileTransfer::Contents> contents = ProfileTransfer::read(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), error);
    KX_FUZZ_CHECK(contents.has_value() == error.isEmpty());
    if (!contents)
        return 0;
    for (const ProfileTransfer::Profile& p : contents->profiles) {
        KX_FUZZ_CHECK(StationFields::problem(p.settings).isEmpty());
        readsBackAsItself(p);
    }

    std::filesystem::remove(Registry::hiveFile(Hive::CurrentUser));
    const AdapterState adapter;
    SettingsStore store(adapter);
    QStringList imported;
    QList<WirelessSettings> settings;
    {
        SettingsStore::Batch batch(store);
        KX_FUZZ_CHECK(batch.ready());
        for (const ProfileTransfer::Profile& p : contents->profiles) {
            const ProfileTransfer::Report r = ProfileTransfer::import(batch, p, true);
            if (r.outcome != ProfileTransfer::Outcome::Imported &&
                r.outcome != ProfileTransfer::Outcome::Replaced)
                continue;
            if (!imported.contains(p.name))
                imported.append(p.name);
        }
        for (const QString& name : std::as_const(imported))
            settings.append(*batch.find(name));
        if (batch.commit() != 0)
            imported.clear();
    }
    KX_FUZZ_CHECK(store.profileNames() == imported);
    for (qsizetype i = 0; i < imported.size(); ++i) {
        WirelessSettings stored;
        KX_FUZZ_CHECK(store.findProfile(imported.at(i)) == 0 && store.readProfile(stored) == 0);
        KX_FUZZ_CHECK(stored == settings.at(i));
    }
    return 0;
}
