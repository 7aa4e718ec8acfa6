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

// Gives a connection the values of a new record that it lacks, in one transaction. Values that
// exist keep their texts: a data home prepared by hand, an import or a reinstall keeps its
// tariffs and totals. False when the store could not be written.
bool CreateConnectionRecord(SettingsStore& store, const std::string& name);

// True when any value of the connection's record is stored.
bool hasConnectionRecord(const SettingsStore& store, const std::string& name);

} // namespace vonalor
