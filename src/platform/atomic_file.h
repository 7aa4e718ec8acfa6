#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vonalor {

// Replaces a file's contents as a whole: the bytes go to a temporary file in the same
// folder, which is flushed to disk and renamed over the old one. A crash or a full disk
// leaves either the old file or the new one, never a cut one. False (with the reason) on failure.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error = nullptr);

// Removes what a write cut short by a crash left in a folder (its temporary files); only the
// process that owns the folder's files may call it.
void removeStaleTemporaryFiles(const std::filesystem::path& folder);

// Reads a whole file; false when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& file, std::string& bytes);

} // namespace vonalor
