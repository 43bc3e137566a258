#pragma once

// The list file: version "1.0", count, ratingSum, then one record per entry
// (path, ext, rating). Integers are 32-bit little-endian; strings carry a
// byte-count prefix of one, three or seven bytes and no terminator.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "list/wallpaper_list.h"

enum class ListFileError {
    None,
    VersionRefused,  // a version other than "1.0"; nothing read past it
    EndOfFile,       // the input ends inside a field, or a length runs past its end
    OutOfMemory,     // a length within the input that still could not be allocated
    Utf16String,     // a string marked as UTF-16, which this program never writes
    ReadFailed,      // the stream under the input reported an error
    WriteFailed,     // the stream under the output reported an error
    StringTooLong,   // a string that no prefix can express (4 GiB or more)
};

// Bytes as a stream gives them (a file, natively or on Windows).
class RawInput {
public:
    virtual ~RawInput() = default;
    // Reads up to `size` bytes into `out`; `got` 0 means the stream has ended.
    // False on an error of the stream.
    virtual bool ReadSome(std::byte* out, std::size_t size, std::size_t& got) = 0;
};

class RawOutput {
public:
    virtual ~RawOutput() = default;
    // Writes all `size` bytes, or returns false.
    virtual bool Write(const std::byte* data, std::size_t size) = 0;
};

// Both directions go through a buffer of this size, as the file layer always did.
inline constexpr std::size_t kListBufferSize = 4096;

// The reader's input: a stream of known size read through the buffer. Since
// the size bounds every length, nothing larger than the input is ever allocated.
class ListInput {
public:
    ListInput(RawInput& raw, std::uint64_t size);
    ListInput(const ListInput&) = delete;
    ListInput& operator=(const ListInput&) = delete;

    // Reads exactly `size` bytes (at least one): EndOfFile when the input
    // ends first, ReadFailed when its stream fails.
    ListFileError Read(void* out, std::size_t size) {
        if (Buffered() >= size) {
            std::memcpy(out, next_, size);
            next_ += size;
            return ListFileError::None;
        }
        return ReadSlow(static_cast<std::byte*>(out), size);
    }
    // Replaces `s` with the next `size` bytes. The caller has checked `size`
    // against Remaining(); allocation failures throw std::bad_alloc.
    ListFileError ReadString(std::string& s, std::size_t size) {
        if (Buffered() >= size) {
            s.assign(reinterpret_cast<const char*>(next_), size);
            next_ += size;
            return ListFileError::None;
        }
        s.resize(size);
        return ReadSlow(reinterpret_cast<std::byte*>(s.data()), size);
    }
    // Bytes that the input may still hold.
    std::uint64_t Remaining() const { return unread_ + static_cast<std::uint64_t>(end_ - next_); }

private:
    std::size_t Buffered() const { return static_cast<std::size_t>(end_ - next_); }
    ListFileError ReadSlow(std::byte* out, std::size_t size);

    RawInput& raw_;
    std::vector<std::byte> buffer_;
    const std::byte* next_ = nullptr;
    const std::byte* end_ = nullptr;
    std::uint64_t unread_ = 0;  // bytes of the stream not yet in the buffer
};

// The writer's output: a stream written through the buffer.
class ListOutput {
public:
    explicit ListOutput(RawOutput& raw);
    ListOutput(const ListOutput&) = delete;
    ListOutput& operator=(const ListOutput&) = delete;

    ListFileError Write(const void* data, std::size_t size) {
        if (buffer_.size() - used_ >= size) {
            std::memcpy(buffer_.data() + used_, data, size);
            used_ += size;
            return ListFileError::None;
        }
        return WriteSlow(static_cast<const std::byte*>(data), size);
    }
    // Hands what is buffered to the stream.
    ListFileError Flush();

private:
    ListFileError WriteSlow(const std::byte* data, std::size_t size);

    RawOutput& raw_;
    std::vector<std::byte> buffer_;
    std::size_t used_ = 0;
};

// Reads a list file. Entries are appended to `list` one by one as they are
// read, after those already listed; `ratingSum` takes the stored value as soon
// as it is read, before any entry. On a failure what was done so far stays
// done. A refused version changes nothing.
ListFileError ReadListFile(ListInput& in, CWallpaperList& list, int32_t& ratingSum);

// Writes the list and ratingSum, and flushes the output.
ListFileError WriteListFile(ListOutput& out, const CWallpaperList& list, int32_t ratingSum);
