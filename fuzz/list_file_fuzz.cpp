// Fuzzes the list-file reader: from memory and through a stream of 3-byte
// reads, which must agree; a file read without error must read back the same
// once written out again. Reads are compared through what the writer makes of them.

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "list/list_file.h"
#include "support/memory_output.h"

namespace {

struct TrickleInput : RawInput {
    explicit TrickleInput(std::string_view s) : rest(s) {}
    bool ReadSome(std::byte* out, std::size_t size, std::size_t& got) override {
        rest.remove_prefix(got = rest.copy(reinterpret_cast<char*>(out), std::min<std::size_t>(size, 3)));
        return true;
    }
    std::string_view rest;
};

// The error, then the list and sum read, as the writer writes them.
std::pair<ListFileError, std::vector<std::byte>> Read(ListInput& in) {
    CWallpaperList list;
    int32_t sum = -1;
    const ListFileError e = ReadListFile(in, list, sum);
    MemoryOutput raw;
    ListOutput out(raw);
    if (WriteListFile(out, list, sum) != ListFileError::None) std::abort();
    return {e, raw.bytes};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* bytes = reinterpret_cast<const std::byte*>(data);
    ListInput memory({bytes, size});
    const auto first = Read(memory);
    TrickleInput trickle({reinterpret_cast<const char*>(data), size});
    ListInput stream(trickle, size);
    ListInput written(first.second);
    if (Read(stream) != first || (first.first == ListFileError::None && Read(written) != first)) std::abort();
    return 0;
}
