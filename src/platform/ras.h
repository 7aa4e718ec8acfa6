#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vonalor {

struct RasDevice {
    std::string name;
    std::string type; // "modem", "isdn", "vpn", ...
    bool operator==(const RasDevice&) const = default;
};

// Connection states as the remote-access service reports them.
namespace rasstate {
inline constexpr std::uint16_t Connected = 0x2000; // below it: still being set up
inline constexpr std::uint16_t Disconnected = 0x2001;
inline constexpr std::uint16_t CallFailed = 601; // what a failed status call reads as
} // namespace rasstate

struct RasConnection {
    std::uint32_t handle = 0;
    std::string entryName;
};

struct RasStatistics {
    std::uint64_t bytesSent = 0;
    std::uint64_t bytesReceived = 0;
    std::uint64_t speed = 0; // bits per second
};

// The system's remote-access service: its phonebook, devices and connections.
class Ras {
public:
    virtual ~Ras() = default;
    // Phonebook entry names in the system's order.
    virtual std::vector<std::string> entries() = 0;
    // Devices that can carry a remote-access connection.
    virtual std::vector<RasDevice> devices() = 0;

    // The active connections in the system's order.
    virtual std::vector<RasConnection> activeConnections() = 0;
    // The state code of a connection; CallFailed when the service cannot tell.
    virtual std::uint16_t connectStatus(std::uint32_t handle) = 0;
    // Traffic of a connection since its counters were last reset.
    virtual RasStatistics statistics(std::uint32_t handle) = 0;
    virtual void resetStatistics(std::uint32_t handle) = 0;
    // Ends a connection; false when the service could not be asked to.
    virtual bool hangUp(std::uint32_t handle) = 0;

    // A service that reports its changes calls the listener whenever a connection appears,
    // changes state or goes away, so a watcher need not poll while nothing is connected.
    virtual bool reportsChanges() const { return false; }
    void setChangeListener(std::function<void()> listener) { m_onChange = std::move(listener); }
    // A service told of changes by the system gives a descriptor to watch; when it can be
    // read the owner of the event loop calls processChanges().
    virtual int changeDescriptor() const { return -1; }
    virtual void processChanges() {}

    // A service that is told when the phonebook's entries change calls this listener then, so
    // the connection list need not look every two seconds.
    virtual bool reportsPhonebookChanges() const { return false; }
    void setPhonebookListener(std::function<void()> listener) { m_onPhonebookChange = std::move(listener); }

protected:
    void notifyChange() {
        if (m_onChange)
            m_onChange();
    }
    void notifyPhonebookChange() {
        if (m_onPhonebookChange)
            m_onPhonebookChange();
    }

private:
    std::function<void()> m_onChange;
    std::function<void()> m_onPhonebookChange;
};

} // namespace vonalor
