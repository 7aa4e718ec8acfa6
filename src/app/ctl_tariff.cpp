// vonalorctl: the tariff engine's commands.

#include "app/ctl_commands.h"

namespace vonalor {

std::vector<CtlCommand> tariffCommands() {
    return {};
}

} // namespace vonalor
