#pragma once
// A clean world for one test: registry hives and adapter state in a fresh temporary
// directory, the simulated adapters back to their built-in world. The program's own
// state lives in an AppContext (tests/support/TestContext.h).

#include <QString>
#include <QTemporaryDir>

namespace kx::test {

class TestEnv final {
public:
    TestEnv();
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    QString path() const { return m_dir.path(); }
    QString registryDir() const { return m_dir.path() + QStringLiteral("/registry"); }
    // The directory of the built program: KXConfig.INI and the language files.
    static QString programDir();

private:
    QTemporaryDir m_dir;
};

} // namespace kx::test
