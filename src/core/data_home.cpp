#include "core/data_home.h"

#include <cstdlib>
#include <system_error>

namespace vonalor {

std::filesystem::path resolveDataHome(const std::optional<std::string>& option) {
    if (option && !option->empty())
        return std::filesystem::absolute(*option);
    if (const char* env = std::getenv("VONALOR_HOME"); env && *env)
        return std::filesystem::absolute(env);
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "vonalor";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".local" / "share" / "vonalor";
}

bool prepareDataHome(const std::filesystem::path& home, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(home, ec);
    if (ec || !std::filesystem::is_directory(home, ec)) {
        if (error)
            *error = home.string() + ": " + (ec ? ec.message() : "not a folder");
        return false;
    }
    return true;
}

} // namespace vonalor
