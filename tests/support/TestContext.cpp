#include "tests/support/TestContext.h"

namespace kx::test {

void TestContext::loadShippedConfig() {
    ctx.config.load(TestEnv::programDir() + QStringLiteral("KXConfig.INI"));
}

bool TestContext::openShippedLanguage() {
    return ctx.language.open(TestEnv::programDir() + QStringLiteral("KXMLu.INI"),
                             QStringLiteral("LANGUAGES"));
}

QString TestContext::adapterValue(const char* name) {
    QString text;
    if (ctx.store.readAdapterValue(QString::fromLatin1(name), text) != 0)
        return QStringLiteral("<missing>");
    return text;
}

} // namespace kx::test
