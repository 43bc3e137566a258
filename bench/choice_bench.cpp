// The weighted draw against a plain uniform pick over the same list, and the
// generator's 2 x 1000 warm-up calls stepped one by one.
#include <benchmark/benchmark.h>

#include <string>

#include "choice/crt_random.h"
#include "choice/weighted_choice.h"

namespace {

// Ratings 1 to 5 in turn; with `unreadableEvery` = 2, every other file is unreadable.
CWallpaperList MakeList(int count, int unreadableEvery = 0) {
    CWallpaperList list;
    for (int i = 0; i < count; ++i) {
        const bool unreadable = unreadableEvery && i % unreadableEvery == 0;
        list.AddTail(
            {"bmp",
             std::string(unreadable ? "U" : "R") + ":\\Images\\fond " + std::to_string(i) + ".bmp",
             1 + i % 5});
    }
    return list;
}

bool Readable(const std::string& path) { return path[0] == 'R'; }

struct Clock {
    std::time_t now = 1'700'000'000;
    std::time_t operator()() { return now++; }
};

void Draw(benchmark::State& state) {
    CWallpaperList list = MakeList(static_cast<int>(state.range(0)));
    int32_t sum = 0;
    CrtRandom generator;
    Clock clock;
    std::string path, ext;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawWallpaper(list, sum, generator, clock, Readable, path, ext));
        benchmark::DoNotOptimize(path.data());
    }
}

// Baseline: seed, one generator value, walk to a uniformly drawn entry.
void UniformPick(benchmark::State& state) {
    CWallpaperList list = MakeList(static_cast<int>(state.range(0)));
    const auto n = list.GetCount();
    CrtRandom generator;
    Clock clock;
    std::string path;
    for (auto _ : state) {
        generator.Seed(static_cast<uint32_t>(clock()));
        auto pos = list.begin();
        std::advance(pos, static_cast<int64_t>(generator.Next()) * n / 32768);
        path = pos->path;
        benchmark::DoNotOptimize(path.data());
    }
}

// Baseline: the 2 x 1000 generator calls of one attempt, called one by one.
void WarmUpCallsStepped(benchmark::State& state) {
    CrtRandom generator;
    Clock clock;
    for (auto _ : state) {
        generator.Seed(static_cast<uint32_t>(clock()));
        int last = 0;
        for (int i = 0; i < 2000; ++i) last = generator.Next();
        benchmark::DoNotOptimize(last);
    }
}

// Half the files unreadable: each draw drops entries from a fresh copy of the
// list, made (and freed) outside the timing.
void DrawHalfUnreadable(benchmark::State& state) {
    const CWallpaperList master = MakeList(static_cast<int>(state.range(0)), 2);
    CrtRandom generator;
    Clock clock;
    std::string path, ext;
    int64_t dropped = 0;
    CWallpaperList list;
    for (auto _ : state) {
        state.PauseTiming();
        list = master;  // the old copy is freed here too
        int32_t sum = 0;
        state.ResumeTiming();
        benchmark::DoNotOptimize(DrawWallpaper(list, sum, generator, clock, Readable, path, ext));
        dropped += master.GetCount() - list.GetCount();
    }
    state.counters["dropped"] =
        benchmark::Counter(static_cast<double>(dropped), benchmark::Counter::kAvgIterations);
}

// Baseline for the above: the same fresh copy, then a uniform pick.
void UniformPickOnCopy(benchmark::State& state) {
    const CWallpaperList master = MakeList(static_cast<int>(state.range(0)), 2);
    CrtRandom generator;
    Clock clock;
    std::string path;
    CWallpaperList list;
    for (auto _ : state) {
        state.PauseTiming();
        list = master;
        state.ResumeTiming();
        generator.Seed(static_cast<uint32_t>(clock()));
        auto pos = list.begin();
        std::advance(pos, static_cast<int64_t>(generator.Next()) * list.GetCount() / 32768);
        path = pos->path;
        benchmark::DoNotOptimize(path.data());
    }
}

}  // namespace

BENCHMARK(WarmUpCallsStepped);
BENCHMARK(UniformPick)->Arg(1000)->Arg(100000);
BENCHMARK(Draw)->Arg(1000)->Arg(100000);
BENCHMARK(UniformPickOnCopy)->Arg(10000);
BENCHMARK(DrawHalfUnreadable)->Arg(10000);

BENCHMARK_MAIN();
