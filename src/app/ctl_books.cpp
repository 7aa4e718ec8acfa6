// vonalorctl: the books (period totals, daily statistics, session log).

#include "app/ctl_commands.h"

namespace vonalor {

std::vector<CtlCommand> booksCommands() {
    return {};
}

} // namespace vonalor
