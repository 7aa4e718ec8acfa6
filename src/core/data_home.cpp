#include "core/data_home.h"

#include <cstdlib>
#include <sys/stat.h>
#include <system_error>

namespace vonalor {

namespace {

constexpr mode_t groupAndOther = S_IRWXG | S_IRWXO;

// Removes the group and other bits of one item; true when it had any. Symbolic links in the
// home are left alone (their targets may lie outside it); the home itself may be one.
bool tighten(const std::filesystem::path& item, std::vector<std::filesystem::path>* tightened,
             bool followLink = false) {
    struct stat info {};
    if ((followLink ? ::stat(item.c_str(), &info) : ::lstat(item.c_str(), &info)) != 0 ||
        S_ISLNK(info.st_mode))
        return false;
    if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
        return false;
    if ((info.st_mode & groupAndOther) == 0)
        return false;
    if (::chmod(item.c_str(), info.st_mode & 07777 & ~groupAndOther) != 0)
        return false;
    if (tightened)
        tightened->push_back(item);
    return true;
}

} // namespace

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

bool prepareDataHome(const std::filesystem::path& home, std::string* error,
                     std::vector<std::filesystem::path>* tightened) {
    std::error_code ec;
    const bool existed = std::filesystem::exists(home, ec);
    std::filesystem::create_directories(home, ec);
    if (ec || !std::filesystem::is_directory(home, ec)) {
        if (error)
            *error = home.string() + ": " + (ec ? ec.message() : "not a folder");
        return false;
    }
    // A folder made just now is private whatever the umask; only an older one is worth a report.
    tighten(home, existed ? tightened : nullptr, true);
    if (!existed)
        return true;
    for (auto it = std::filesystem::recursive_directory_iterator(
             home, std::filesystem::directory_options::skip_permission_denied, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        tighten(it->path(), tightened);
    return true;
}

std::string tightenedDataHomeText(const std::filesystem::path& home) {
    return "Az adatmappa jogosultságai szigorítva: " + home.string();
}

} // namespace vonalor
