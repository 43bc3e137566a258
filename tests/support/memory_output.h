#pragma once

#include <cstddef>
#include <vector>

#include "list/list_file.h"

// A list-file output into memory, for tests, benchmarks and the fuzzer.
struct MemoryOutput : RawOutput {
    bool Write(const std::byte* data, std::size_t size) override {
        bytes.insert(bytes.end(), data, data + size);
        return true;
    }
    std::vector<std::byte> bytes;
};
