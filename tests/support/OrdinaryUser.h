#pragma once
// Tests of "the user may not write this" need a user that file modes bind. CI runs as
// root, which writes anything: there the check runs in a forked child that has dropped
// to the unprivileged user 65534 (the files it touches must be readable by others).

#include <functional>

#include <QString>

namespace kx::test {

// Runs check() as an ordinary user and answers its result (0..255), or -1 when the
// child could not become that user or did not end normally.
int runAsOrdinaryUser(const std::function<int()>& check);

// While it lives, the registry of the test directory `testDir` can be read by the
// ordinary user but not written: the hives of a person who may not save settings.
class ReadOnlyRegistryForOthers final {
public:
    explicit ReadOnlyRegistryForOthers(const QString& testDir);
    ~ReadOnlyRegistryForOthers();
    ReadOnlyRegistryForOthers(const ReadOnlyRegistryForOthers&) = delete;
    ReadOnlyRegistryForOthers& operator=(const ReadOnlyRegistryForOthers&) = delete;

private:
    void setModes(bool open);
    QString m_testDir;
};

} // namespace kx::test
