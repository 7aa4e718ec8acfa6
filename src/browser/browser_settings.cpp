#include "browser/browser_settings.h"

#include "platform/browser.h"
#include "platform/registry.h"

#include <filesystem>

namespace vonalor {

void RegisterBrowserButton(Registry& registry, const std::string& programFolder) {
    const std::string exec = (std::filesystem::path(programFolder) / "Vonalor.exe").string();
    const std::string icon = (std::filesystem::path(programFolder) / "Ikon.ico").string();
    const std::pair<const char*, std::string> values[] = {
        {"ButtonText", "Vonalor"},
        {"MenuText", "Tools Menu Item"},
        {"MenuStatusBar", "Run Script"},
        {"ClSid", "{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}"},
        {"Default Visible", "Yes"},
        {"Exec", exec},
        {"HotIcon", icon},
        {"Icon", icon},
    };
    for (const auto& [name, text] : values)
        registry.write(RegistryRoot::LocalMachine, BrowserButtonKey, name, text);
}

std::string ReadStartPage(Registry& registry) {
    return registry.read(RegistryRoot::CurrentUser, BrowserMainKey, "Start Page").text;
}

void WriteStartPage(Registry& registry, const std::string& address) {
    registry.write(RegistryRoot::CurrentUser, BrowserMainKey, "Start Page", address);
}

void ClearUrlCache(Browser& browser, const std::function<void()>& processEvents) {
    for (const std::string& address : browser.cacheEntries()) {
        if (processEvents)
            processEvents();
        browser.deleteCacheEntry(address);
    }
}

void ReadTypedUrls(Registry& registry, std::vector<std::string>& list) {
    for (auto& [name, text] : registry.values(RegistryRoot::CurrentUser, TypedUrlsKey))
        list.push_back(std::move(text));
}

} // namespace vonalor
