// Fuzzes the list-file reader: whole and through a stream of 3-byte reads,
// which must agree; a file read without error must read back the same once
// written out again. Reads are compared through what the writer makes of them.

#include <cstdlib>
#include <string_view>
#include <utility>

#include "list/list_file.h"
#include "support/memory_io.h"

namespace {

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
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MemoryInput whole(bytes), trickle(bytes, 3);
    ListInput wholeInput(whole, size), trickleInput(trickle, size);
    const auto first = Read(wholeInput);
    const std::string_view out(reinterpret_cast<const char*>(first.second.data()),
                               first.second.size());
    MemoryInput written(out);
    ListInput writtenInput(written, out.size());
    if (Read(trickleInput) != first ||
        (first.first == ListFileError::None && Read(writtenInput) != first))
        std::abort();
    return 0;
}
