#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vonalor {

class Browser;
class Registry;

inline constexpr const char* BrowserButtonKey =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{5E2A7C19-83D4-4B6F-9A21-3C8D0F4E7B52}";
inline constexpr const char* TypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
inline constexpr const char* BrowserMainKey = "Software\\Microsoft\\Internet Explorer\\Main";

// The browser's start page; empty when it cannot be read.
std::string ReadStartPage(Registry& registry);
void WriteStartPage(Registry& registry, const std::string& address);

// Deletes every entry of the browser's cache, letting pending events run before each one.
void ClearUrlCache(Browser& browser, const std::function<void()>& processEvents);

// The browser's toolbar button that starts the program.
void RegisterBrowserButton(Registry& registry, const std::string& programFolder);

// The addresses typed into the browser, in the order the registry enumerates them.
void ReadTypedUrls(Registry& registry, std::vector<std::string>& list);

} // namespace vonalor
