#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vonalor {

enum class RegistryRoot { LocalMachine, CurrentUser };

// Thrown by a registry's reads when the store cannot be read (damaged or unreadable), so that
// such a store is never taken for one without the value.
struct StoreError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A hierarchical store of string values in the manner of the Windows registry: keys are
// backslash paths under a root, value and key names compare without letter case, values
// enumerate in creation order.
class Registry {
public:
    enum class Status { Found, NoKey, NoValue };
    struct ReadResult {
        Status status = Status::NoKey;
        std::string text;
    };

    virtual ~Registry() = default;

    virtual ReadResult read(RegistryRoot root, std::string_view key, std::string_view name) = 0;
    // Creates the key when missing; durable when it returns. False when the store cannot be written.
    virtual bool write(RegistryRoot root, std::string_view key, std::string_view name,
                       std::string_view text) = 0;
    // Several values of one key in one durable transaction: all of them are stored or none.
    virtual bool writeValues(RegistryRoot root, std::string_view key,
                             const std::vector<std::pair<std::string, std::string>>& values) = 0;
    virtual bool keyExists(RegistryRoot root, std::string_view key) = 0;
    virtual bool createKey(RegistryRoot root, std::string_view key) = 0;
    // False when the value did not exist.
    virtual bool remove(RegistryRoot root, std::string_view key, std::string_view name) = 0;
    virtual std::vector<std::pair<std::string, std::string>> values(RegistryRoot root,
                                                                    std::string_view key) = 0;
};

} // namespace vonalor
