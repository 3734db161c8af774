#pragma once
// kxctl's commands, each in a file of its own (AdaptersCommand.cpp ...), in the order
// its help lists them.

#include "ctl/CommandCall.h"

namespace kx {

CommandEntry adaptersCommand();
CommandEntry statusCommand();
CommandEntry scanCommand();
CommandEntry joinCommand();
CommandEntry setCommand();
CommandEntry accessPointCommand();
CommandEntry profileCommand();

} // namespace kx
