#include "list/list_file.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace {

constexpr std::string_view kVersion = "1.0";

// Length prefixes: one byte below 0xFF; else 0xFF and a 16-bit length below
// 0xFFFE; else 0xFF, 0xFFFF and a 32-bit length. 0xFF then 0xFFFE marks UTF-16.
constexpr std::uint8_t kLongPrefix = 0xFF;
constexpr std::uint16_t kUtf16Marker = 0xFFFE;
constexpr std::uint16_t kPrefix32 = 0xFFFF;

#define RETURN_IF_FAILED(expr)                                                     \
    do {                                                                           \
        if (const ListFileError e_ = (expr); e_ != ListFileError::None) return e_; \
    } while (false)

ListFileError ReadU8(ListInput& in, std::uint8_t& v) { return in.Read(&v, 1); }

ListFileError ReadU16(ListInput& in, std::uint16_t& v) {
    unsigned char b[2];
    RETURN_IF_FAILED(in.Read(b, 2));
    v = static_cast<std::uint16_t>(b[0] | b[1] << 8);
    return ListFileError::None;
}

ListFileError ReadU32(ListInput& in, std::uint32_t& v) {
    unsigned char b[4];
    RETURN_IF_FAILED(in.Read(b, 4));
    v = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
        std::uint32_t{b[3]} << 24;
    return ListFileError::None;
}

ListFileError ReadI32(ListInput& in, std::int32_t& v) {
    std::uint32_t u;
    RETURN_IF_FAILED(ReadU32(in, u));
    v = static_cast<std::int32_t>(u);
    return ListFileError::None;
}

ListFileError ReadString(ListInput& in, std::string& s) {
    std::uint8_t b;
    RETURN_IF_FAILED(ReadU8(in, b));
    std::uint64_t size = b;
    if (b == kLongPrefix) {
        std::uint16_t w;
        RETURN_IF_FAILED(ReadU16(in, w));
        if (w == kUtf16Marker) return ListFileError::Utf16String;
        size = w;
        if (w == kPrefix32) {
            std::uint32_t d;
            RETURN_IF_FAILED(ReadU32(in, d));
            size = d;
        }
    }
    // The length is checked against the input before anything is allocated.
    if (size > in.Remaining()) return ListFileError::EndOfFile;
    if (size == 0) {
        s.clear();
        return ListFileError::None;
    }
    return in.ReadString(s, static_cast<std::size_t>(size));
}

ListFileError ReadEntry(ListInput& in, CWallpaperEntry& entry) {
    RETURN_IF_FAILED(ReadString(in, entry.path));
    RETURN_IF_FAILED(ReadString(in, entry.ext));
    return ReadI32(in, entry.rating);
}

ListFileError ReadListFileUnguarded(ListInput& in, CWallpaperList& list, int32_t& ratingSum) {
    std::string version;
    RETURN_IF_FAILED(ReadString(in, version));
    if (version != kVersion) return ListFileError::VersionRefused;
    std::int32_t count;
    RETURN_IF_FAILED(ReadI32(in, count));
    std::int32_t storedSum;
    RETURN_IF_FAILED(ReadI32(in, storedSum));
    ratingSum = storedSum;
    // A count of two billion needs no guard: each record takes at least six
    // bytes, so a short input ends the loop soon enough.
    for (std::int32_t i = 0; i < count; ++i) {
        CWallpaperEntry entry;
        RETURN_IF_FAILED(ReadEntry(in, entry));
        list.AddTail(std::move(entry));
    }
    return ListFileError::None;
}

ListFileError WriteU8(ListOutput& out, std::uint8_t v) { return out.Write(&v, 1); }

ListFileError WriteU16(ListOutput& out, std::uint16_t v) {
    const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    return out.Write(b, 2);
}

ListFileError WriteU32(ListOutput& out, std::uint32_t v) {
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16),
                                static_cast<unsigned char>(v >> 24)};
    return out.Write(b, 4);
}

ListFileError WriteI32(ListOutput& out, std::int32_t v) {
    return WriteU32(out, static_cast<std::uint32_t>(v));
}

ListFileError WriteString(ListOutput& out, std::string_view s) {
    const std::size_t size = s.size();
    if (size < kLongPrefix) {
        RETURN_IF_FAILED(WriteU8(out, static_cast<std::uint8_t>(size)));
    } else if (size < kUtf16Marker) {
        RETURN_IF_FAILED(WriteU8(out, kLongPrefix));
        RETURN_IF_FAILED(WriteU16(out, static_cast<std::uint16_t>(size)));
    } else if (size < 0xFFFFFFFFu) {
        RETURN_IF_FAILED(WriteU8(out, kLongPrefix));
        RETURN_IF_FAILED(WriteU16(out, kPrefix32));
        RETURN_IF_FAILED(WriteU32(out, static_cast<std::uint32_t>(size)));
    } else {
        // Truncating the length would corrupt everything after it.
        return ListFileError::StringTooLong;
    }
    return size ? out.Write(s.data(), size) : ListFileError::None;
}

}  // namespace

ListInput::ListInput(RawInput& raw, std::uint64_t size)
    : raw_(raw), buffer_(kListBufferSize), unread_(size) {}

ListFileError ListInput::ReadSlow(std::byte* out, std::size_t size) {
    if (size > Remaining()) return ListFileError::EndOfFile;
    const std::size_t buffered = Buffered();
    if (buffered) {
        std::memcpy(out, next_, buffered);
        out += buffered;
        size -= buffered;
    }
    next_ = end_ = buffer_.data();
    while (size > 0) {
        // Large reads skip the buffer; small ones refill it. Neither asks the
        // stream for more than the size it was given.
        const bool direct = size >= buffer_.size();
        std::byte* into = direct ? out : buffer_.data();
        const std::size_t ask =
            direct ? size
                   : static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), unread_));
        std::size_t got = 0;
        if (!raw_.ReadSome(into, ask, got)) return ListFileError::ReadFailed;
        // A stream shorter than its stated size.
        if (got == 0 || got > ask) return ListFileError::EndOfFile;
        unread_ -= got;
        if (!direct) {
            next_ = buffer_.data();
            end_ = next_ + got;
            got = std::min(got, size);
            std::memcpy(out, next_, got);
            next_ += got;
        }
        out += got;
        size -= got;
    }
    return ListFileError::None;
}

ListOutput::ListOutput(RawOutput& raw) : raw_(raw), buffer_(kListBufferSize) {}

ListFileError ListOutput::WriteSlow(const std::byte* data, std::size_t size) {
    RETURN_IF_FAILED(Flush());
    if (size >= buffer_.size())
        return raw_.Write(data, size) ? ListFileError::None : ListFileError::WriteFailed;
    std::memcpy(buffer_.data(), data, size);
    used_ = size;
    return ListFileError::None;
}

ListFileError ListOutput::Flush() {
    if (used_ == 0) return ListFileError::None;
    const std::size_t size = used_;
    used_ = 0;
    return raw_.Write(buffer_.data(), size) ? ListFileError::None : ListFileError::WriteFailed;
}

ListFileError ReadListFile(ListInput& in, CWallpaperList& list, int32_t& ratingSum) {
    // Lengths are bounded by the input, but a large input may still hold a
    // length that cannot be allocated.
    try {
        return ReadListFileUnguarded(in, list, ratingSum);
    } catch (const std::bad_alloc&) {
        return ListFileError::OutOfMemory;
    } catch (const std::length_error&) { return ListFileError::OutOfMemory; }
}

ListFileError WriteListFile(ListOutput& out, const CWallpaperList& list, int32_t ratingSum) {
    RETURN_IF_FAILED(WriteString(out, kVersion));
    RETURN_IF_FAILED(WriteI32(out, list.GetCount()));
    RETURN_IF_FAILED(WriteI32(out, ratingSum));
    for (const CWallpaperEntry& entry : list) {
        RETURN_IF_FAILED(WriteString(out, entry.path));
        RETURN_IF_FAILED(WriteString(out, entry.ext));
        RETURN_IF_FAILED(WriteI32(out, entry.rating));
    }
    return out.Flush();
}
