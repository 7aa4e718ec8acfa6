// libFuzzer entry for the sim scenario reader (built with clang only).

#include "fuzz_targets.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vonalor::fuzz::simScenario(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
