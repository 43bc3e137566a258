// Fuzzes the list-file reader: from memory and from a stream that hands out
// a few bytes at a time, which must agree; a file that reads without error
// must read back the same after writing it out again.

#include <algorithm>
#include <cstdlib>

#include "list/list_file.h"

namespace {

class TrickleInput : public RawInput {
public:
    TrickleInput(const std::byte* data, std::size_t size) : data_(data), left_(size) {}
    bool ReadSome(std::byte* out, std::size_t size, std::size_t& got) override {
        got = std::min({size, left_, std::size_t{3}});
        std::copy_n(data_, got, out);
        data_ += got;
        left_ -= got;
        return true;
    }

private:
    const std::byte* data_;
    std::size_t left_;
};

bool Same(const CWallpaperList& a, const CWallpaperList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.path == y.path && x.ext == y.ext && x.rating == y.rating;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* bytes = reinterpret_cast<const std::byte*>(data);

    CWallpaperList fromMemory;
    int32_t sumMemory = -1;
    ListInput memory({bytes, size});
    const ListFileError e = ReadListFile(memory, fromMemory, sumMemory);

    CWallpaperList fromStream;
    int32_t sumStream = -1;
    TrickleInput trickle(bytes, size);
    ListInput stream(trickle, size);
    if (ReadListFile(stream, fromStream, sumStream) != e || sumStream != sumMemory ||
        !Same(fromMemory, fromStream))
        std::abort();

    if (e == ListFileError::None) {
        MemoryOutput raw;
        ListOutput out(raw);
        if (WriteListFile(out, fromMemory, sumMemory) != ListFileError::None) std::abort();
        CWallpaperList again;
        int32_t sumAgain = -1;
        ListInput in(raw.bytes);
        if (ReadListFile(in, again, sumAgain) != ListFileError::None || sumAgain != sumMemory ||
            !Same(fromMemory, again))
            std::abort();
    }
    return 0;
}
