// vonalorctl: the platform's phonebook and devices.

#include "app/ctl_commands.h"

#include <ostream>

namespace vonalor {

std::vector<CtlCommand> phonebookCommands() {
    return {
        {"entries", "", "the phonebook entries of the platform, in the system's order", 0, 0,
         [](CtlContext& ctx, const std::vector<std::string>&) {
             for (const std::string& entry : ctx.platform.ras().entries())
                 ctx.out << entry << "\n";
             return CtlOk;
         }},
        {"devices", "", "the devices that can carry a connection: name and type (tab-separated)", 0, 0,
         [](CtlContext& ctx, const std::vector<std::string>&) {
             for (const RasDevice& device : ctx.platform.ras().devices())
                 ctx.out << device.name << "\t" << device.type << "\n";
             return CtlOk;
         }},
    };
}

} // namespace vonalor
