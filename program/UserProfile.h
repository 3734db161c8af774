#pragma once
// The per-user values of the program, kept directly in
// HKEY_CURRENT_USER\Software\Tolva\<program name>, where the program name is the base
// name of the running executable.

#include <QString>

namespace kx {

class UserProfile final {
public:
    static QString programName();
    // Tests give their own name so that they never touch the program's values.
    static void setProgramName(const QString& name);
    static QString keyPath(); // "Software\Tolva\<program name>"

    static int readInt(const QString& name, int defaultValue);
    static int writeInt(const QString& name, int value);
    static QString readString(const QString& name, const QString& defaultValue);
    static int writeString(const QString& name, const QString& value);
};

} // namespace kx
