#pragma once
// The command line: the program reads no option of its own, only the two standard ones
// a desktop user expects, which answer and end before any window or driver is touched
// (so they also work without a display). Everything else is ignored.

#include <QStringList>

#include <cstdio>
#include <optional>

namespace kx {

class CommandLine final {
public:
    enum class Request { Run, Help, Version };

    // arguments[0] is the program itself. The first of --help/-h/--version decides;
    // nothing after "--" counts as an option.
    static Request parse(const QStringList& arguments);
    static QString helpText();
    static QString versionText();

    // Prints what --help or --version asks for and answers the exit code (1 when the
    // text could not be written); nothing when the program is to run.
    static std::optional<int> answer(const QStringList& arguments, std::FILE* out);
    static std::optional<int> answer(int argc, char* argv[]);
};

} // namespace kx
