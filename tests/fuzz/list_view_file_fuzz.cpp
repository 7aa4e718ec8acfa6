// libFuzzer entry for the list view file reader (built with clang only).

#include "fuzz_targets.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vonalor::fuzz::listViewFile(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
