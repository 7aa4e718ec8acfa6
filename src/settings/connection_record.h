#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vonalor {

class SettingsStore;

// The values of a connection record: the entry's name followed by these suffixes, with the
// texts a new record starts with.
const std::vector<std::pair<std::string_view, std::string_view>>& newConnectionRecord();

// Writes the seventeen values of a new record, replacing whatever was stored under them.
void CreateConnectionRecord(SettingsStore& store, const std::string& name);

} // namespace vonalor
