#pragma once

// The readers of files and texts a user can hand the program, each as one function of raw
// bytes. A crash, an exception other than a designed one or a broken promise of the reader
// (thrown as FuzzFinding) is a finding; the libFuzzer targets and the seeded random run share
// these functions.

#include <stdexcept>
#include <string_view>
#include <vector>

namespace vonalor::fuzz {

struct FuzzFinding : std::logic_error {
    using std::logic_error::logic_error;
};

void listViewFile(std::string_view bytes);
void dailyLine(std::string_view bytes);
void booksText(std::string_view bytes);
void simPhonebook(std::string_view bytes);
void simScenario(std::string_view bytes);
void regionalTexts(std::string_view bytes);

struct Target {
    const char* name; // also its seeds' folder
    void (*run)(std::string_view);
};
const std::vector<Target>& targets();

} // namespace vonalor::fuzz
