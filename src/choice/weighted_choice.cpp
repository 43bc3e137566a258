#include "choice/weighted_choice.h"

#include <algorithm>

namespace {

// Higher thresholds have more slots; 5 has as many as 4.
constexpr int kThresholds[14] = {1, 2, 2, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5};
// The single-precision value nearest 1/32767, i.e. 32769 / 2^30. It lies just
// below 1/32767, so r * kScale < 1 for every r up to 32767.
constexpr double kScale = 32769.0 / 1073741824.0;
static_assert(kScale == static_cast<double>(static_cast<float>(1.0 / 32767)));
// Only the last of these many generator values is used for each draw.
constexpr int kWarmUp = 1000;

// r scaled to 0 .. slots-1, in double precision, truncated.
int64_t Scaled(int r, double slots) {
    return static_cast<int64_t>(static_cast<double>(r) * kScale * slots);
}

int Threshold(int r) { return kThresholds[Scaled(r, 14.0)]; }

bool HasEntryRatedOneOrMore(const CWallpaperList& list) {
    for (const CWallpaperEntry& entry : list)
        if (entry.rating >= 1) return true;
    return false;
}

int64_t CountRatedAtLeast(const CWallpaperList& list, int threshold) {
    int64_t count = 0;
    for (const CWallpaperEntry& entry : list)
        if (entry.rating >= threshold) ++count;
    return count;
}

// The entry at 0-based position `index` among those rated at least `threshold`.
CWallpaperList::position NthRatedAtLeast(CWallpaperList& list, int threshold, int64_t index) {
    auto pos = list.begin();
    for (;; ++pos)
        if (pos->rating >= threshold && index-- == 0) return pos;
}

}  // namespace

bool DrawWallpaper(CWallpaperList& list, int32_t& ratingSum, RandomSource& generator,
                   const std::function<std::time_t()>& clock,
                   const std::function<bool(const std::string&)>& canOpenForReading,
                   std::string& path, std::string& ext) {
    // A threshold found without candidates stays so for the whole call: the
    // list only shrinks.
    bool tried[6] = {};
    // Without an entry rated 1 or more no threshold ever has a candidate, and
    // the draw would never end.
    while (HasEntryRatedOneOrMore(list)) {
        generator.Seed(static_cast<uint32_t>(clock()));

        int threshold = 0;
        int64_t count = 0;
        for (;;) {
            threshold = Threshold(generator.NextNth(kWarmUp));
            while (tried[threshold]) threshold = Threshold(generator.Next());
            count = CountRatedAtLeast(list, threshold);
            if (count > 0) break;
            tried[threshold] = true;
        }

        const int64_t index = Scaled(generator.NextNth(kWarmUp), static_cast<double>(count));
        const auto pick = NthRatedAtLeast(list, threshold, index);
        if (canOpenForReading(pick->path)) {
            path = pick->path;
            ext = pick->ext;
            return true;
        }
        // Ratings come from list files and may be anything: wrap around as
        // 32-bit arithmetic does rather than overflow.
        ratingSum = static_cast<int32_t>(static_cast<uint32_t>(ratingSum) -
                                         static_cast<uint32_t>(pick->rating));
        list.RemoveAt(pick);
    }
    path.clear();
    ext.clear();
    return false;
}

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Compared as a C string, up to its first NUL, as the system will see it.
// The names are plain ASCII and no other byte of a single-byte code page
// folds to their letters, so an ASCII case fold is exact; a linguistic
// compare would skip characters such as the soft hyphen.
bool EqualsIgnoringCase(const std::string& ext, const char* lowerName) {
    const char* s = ext.c_str();
    for (; *s && *lowerName; ++s, ++lowerName)
        if (AsciiLower(*s) != *lowerName) return false;
    return *s == *lowerName;
}

bool SamePath(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

bool DrawOtherWallpaper(const CWallpaperList& list, int32_t formats, const std::string& current,
                        RandomSource& generator, const std::function<std::time_t()>& clock,
                        const std::function<bool(const std::string&)>& canOpenForReading,
                        std::string& path, std::string& ext) {
    CWallpaperList others, shown;
    for (const CWallpaperEntry& entry : list)
        if (IsAppliedExtension(entry.ext, formats))
            (SamePath(entry.path, current) ? shown : others).AddTail(entry);
    // The sum only tracks the copies' drops.
    int32_t sum = 0;
    return DrawWallpaper(others, sum, generator, clock, canOpenForReading, path, ext) ||
           DrawWallpaper(shown, sum, generator, clock, canOpenForReading, path, ext);
}

bool IsBmpExtension(const std::string& ext) { return EqualsIgnoringCase(ext, "bmp"); }

bool IsAppliedExtension(const std::string& ext, int32_t formats) {
    if (IsBmpExtension(ext)) return true;
    return formats == 1 && (EqualsIgnoringCase(ext, "jpg") || EqualsIgnoringCase(ext, "jpeg") ||
                            EqualsIgnoringCase(ext, "png"));
}
