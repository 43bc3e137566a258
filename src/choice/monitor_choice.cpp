#include "choice/monitor_choice.h"

#include <algorithm>
#include <map>
#include <memory>

#include "choice/weighted_choice.h"

Orientation OrientationOf(int64_t width, int64_t height) {
    if (width == height) return Orientation::Square;
    return width > height ? Orientation::Landscape : Orientation::Portrait;
}

bool Suits(Orientation picture, const MonitorArea& monitor) {
    if (picture == Orientation::Square) return true;
    const bool tall = monitor.height > monitor.width;
    return (picture == Orientation::Portrait) == tall;
}

namespace {

// Seeds the generator it wraps at the first Seed only.
class SeedOnce : public RandomSource {
public:
    explicit SeedOnce(RandomSource& inner) : inner_(inner) {}
    void Seed(uint32_t seed) override {
        if (!seeded_) inner_.Seed(seed);
        seeded_ = true;
    }
    int Next() override { return inner_.Next(); }
    int NextNth(int count) override { return inner_.NextNth(count); }

private:
    RandomSource& inner_;
    bool seeded_ = false;
};

CWallpaperList Without(const CWallpaperList& pool, const std::vector<std::string>& excluded) {
    CWallpaperList kept;
    for (const CWallpaperEntry& entry : pool)
        if (std::find(excluded.begin(), excluded.end(), entry.path) == excluded.end())
            kept.AddTail(entry);
    return kept;
}

class Chooser {
public:
    Chooser(const CWallpaperList& pool, const ListDraw& draw, const ShapeProbe& probe)
        : pool_(pool), draw_(draw), probe_(probe) {}

    std::optional<CWallpaperEntry> For(const MonitorArea& monitor) {
        std::vector<std::string> avoided = used_;
        if (!monitor.current.empty()) avoided.push_back(monitor.current);
        // Fewer pictures left out at each step, down to the whole pool.
        const std::vector<std::string>* levels[] = {&avoided, &used_, &none_};
        for (const auto* excluded : levels) {
            CWallpaperList candidates = Without(pool_, *excluded);
            if (auto pick = BestOf(candidates, monitor)) {
                used_.push_back(pick->path);
                return pick;
            }
        }
        return std::nullopt;
    }

private:
    std::optional<CWallpaperEntry> BestOf(CWallpaperList& candidates, const MonitorArea& monitor) {
        std::optional<CWallpaperEntry> first;
        for (int i = 0; i < kDrawsPerMonitor; ++i) {
            auto pick = draw_(candidates);
            if (!pick) break;
            if (!first) first = pick;
            const auto shape = ShapeOf(pick->path);
            if (shape && Suits(*shape, monitor)) return pick;
        }
        return first;
    }

    // Each picture is read once; the reads stop at the run's bound.
    std::optional<Orientation> ShapeOf(const std::string& path) {
        const auto known = shapes_.find(path);
        if (known != shapes_.end()) return known->second;
        if (reads_ >= kShapeReads) return std::nullopt;
        ++reads_;
        return shapes_[path] = probe_(path);
    }

    const CWallpaperList& pool_;
    const ListDraw& draw_;
    const ShapeProbe& probe_;
    std::vector<std::string> used_;
    const std::vector<std::string> none_;
    std::map<std::string, std::optional<Orientation>> shapes_;
    int reads_ = 0;
};

}  // namespace

ListDraw RatingDraw(RandomSource& generator, std::function<std::time_t()> clock,
                    std::function<bool(const std::string&)> canOpenForReading) {
    auto once = std::make_shared<SeedOnce>(generator);
    return [once, clock = std::move(clock), canOpen = std::move(canOpenForReading)](
               CWallpaperList& list) -> std::optional<CWallpaperEntry> {
        int32_t sum = 0;  // the pool is a copy: its sum is nobody's
        std::string path, ext;
        if (!DrawWallpaper(list, sum, *once, clock, canOpen, path, ext)) return std::nullopt;
        return CWallpaperEntry(ext, path, 0);
    };
}

std::vector<std::optional<CWallpaperEntry>> ChoosePerMonitor(
    const CWallpaperList& pool, const std::vector<MonitorArea>& monitors, const ListDraw& draw,
    const ShapeProbe& probe) {
    Chooser chooser(pool, draw, probe);
    std::vector<std::optional<CWallpaperEntry>> picks;
    for (const MonitorArea& monitor : monitors) picks.push_back(chooser.For(monitor));
    return picks;
}
