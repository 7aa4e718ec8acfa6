#pragma once

#include <string>
#include <vector>

namespace vonalor {

class Registry;

inline constexpr const char* BrowserButtonKey =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{5E2A7C19-83D4-4B6F-9A21-3C8D0F4E7B52}";
inline constexpr const char* TypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

// The browser's toolbar button that starts the program.
void RegisterBrowserButton(Registry& registry, const std::string& programFolder);

// The addresses typed into the browser, in the order the registry enumerates them.
void ReadTypedUrls(Registry& registry, std::vector<std::string>& list);

} // namespace vonalor
