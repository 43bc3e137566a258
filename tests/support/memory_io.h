#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "list/list_file.h"

// List-file input and output in memory, for tests, benchmarks and the fuzzer.

// Hands out at most `chunk` bytes per read.
struct MemoryInput : RawInput {
    explicit MemoryInput(std::string_view bytes, std::size_t chunk = SIZE_MAX)
        : rest(bytes), chunk(chunk) {}
    bool ReadSome(std::byte* out, std::size_t size, std::size_t& got) override {
        rest.remove_prefix(got = rest.copy(reinterpret_cast<char*>(out), std::min(size, chunk)));
        return true;
    }
    std::string_view rest;
    std::size_t chunk;
};

struct MemoryOutput : RawOutput {
    bool Write(const std::byte* data, std::size_t size) override {
        bytes.insert(bytes.end(), data, data + size);
        return true;
    }
    std::vector<std::byte> bytes;
};
