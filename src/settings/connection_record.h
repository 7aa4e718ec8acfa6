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

// Why a phonebook entry's name cannot name a connection record and its files (the daily
// statistics file is the name followed by "Diagram.ini" in the data home); empty when it can.
std::string entryNameProblem(std::string_view name);

// The entries the program keeps, in the system's order, and those it refuses with the reason:
// a name that cannot be stored safely, or one that differs from an earlier entry only in letter
// case (the store compares names without case, so the two would share one record).
struct PhonebookCheck {
    std::vector<std::string> kept;
    std::vector<std::pair<std::string, std::string>> refused; // name, reason
};
PhonebookCheck checkPhonebook(const std::vector<std::string>& entries);

// True when any value of the connection's record is stored.
bool hasConnectionRecord(const SettingsStore& store, const std::string& name);

} // namespace vonalor
