#pragma once
// kxctl profile import: the profiles of a file of profiles (ProfileTransfer), or of the
// standard input for "-", into the store. Only a regular file is read (a pipe or a
// device named by mistake would never end). Every profile is checked, and what was
// decided is stored in one write about twice a second, its lines printed once it is
// stored; a terminal shows how far the import is, and an interrupt ends it after the
// next write, so that every profile reported as imported is.

#include <QString>

namespace kx {

struct CommandCall;

class ProfileImport final {
public:
    static int run(CommandCall& call, const QString& file, bool replace);
};

} // namespace kx
