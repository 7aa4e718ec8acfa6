#pragma once

#include <string>

namespace vonalor {

// The desktop shell: opening documents and web addresses with their default programs.
class Shell {
public:
    virtual ~Shell() = default;
    // "open" on a file or address, shown normally; false when nothing could be started.
    virtual bool open(const std::string& target) = 0;
    // One of the system's settings windows by its applet name ("ncpa.cpl": network
    // connections, "inetcpl.cpl": Internet options, "firewall.cpl"); false when there is none.
    virtual bool openControlPanelApplet(const std::string& applet) = 0;
};

} // namespace vonalor
