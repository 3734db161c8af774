#pragma once
// The directory of the running executable: KXConfig.INI, the language files and the
// driver library lie there.

#include <QString>

namespace kx {

class ProgramDirectory final {
public:
    // With a trailing '/'.
    static QString path();
    // Base name of the executable, without directory or extension.
    static QString executableBaseName();
};

} // namespace kx
