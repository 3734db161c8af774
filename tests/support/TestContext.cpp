#include "tests/support/TestContext.h"

#include <string>

#include "platform/Registry.h"

namespace kx::test {

void TestContext::loadShippedConfig() {
    ctx.config.load(TestEnv::programDir() + QStringLiteral("KXConfig.INI"));
}

bool TestContext::openShippedLanguage() {
    return ctx.language.open(TestEnv::programDir() + QStringLiteral("KXMLu.INI"),
                             QStringLiteral("LANGUAGES"));
}

QString TestContext::adapterValue(const char* name) {
    std::string text;
    if (Registry::readString(Hive::LocalMachine, ctx.adapter.registryKey.toStdString(), name,
                             text) != 0)
        return QStringLiteral("<missing>");
    return QString::fromStdString(text);
}

} // namespace kx::test
