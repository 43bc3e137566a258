// Loading and saving list files of 1,000 and 100,000 entries, each against a
// baseline that only reads or writes the same bytes through the same
// 4096-byte buffer, in the same run.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "list/list_file.h"
#include "support/memory_io.h"

namespace {

class FdInput : public RawInput {
public:
    explicit FdInput(int fd) : fd_(fd) {}
    bool ReadSome(std::byte* out, std::size_t size, std::size_t& got) override {
        const ssize_t n = ::read(fd_, out, size);
        if (n < 0) return false;
        got = static_cast<std::size_t>(n);
        return true;
    }

private:
    int fd_;
};

class FdOutput : public RawOutput {
public:
    explicit FdOutput(int fd) : fd_(fd) {}
    bool Write(const std::byte* data, std::size_t size) override {
        while (size > 0) {
            const ssize_t n = ::write(fd_, data, size);
            if (n <= 0) return false;
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int fd_;
};

CWallpaperList MakeList(int count) {
    CWallpaperList list;
    char path[96];
    for (int i = 0; i < count; ++i) {
        std::snprintf(path, sizeof path,
                      "C:\\Users\\Utilisateur\\Images\\Fonds d'%s\\image_%06d.bmp",
                      "\xE9"
                      "cran",
                      i);
        list.AddTail({"bmp", path, 1 + i % 5});
    }
    return list;
}

struct Sample {
    CWallpaperList list;
    std::vector<std::byte> bytes;
    std::string path;  // a file holding `bytes`
};

const std::string& Dir() {
    static const std::string dir = [] {
        std::string pattern = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                              "/velunda-bench.XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    return dir;
}

const Sample& SampleOf(int count) {
    static std::map<int, Sample> samples;
    auto [it, added] = samples.try_emplace(count);
    Sample& s = it->second;
    if (added) {
        s.list = MakeList(count);
        MemoryOutput raw;
        ListOutput out(raw);
        if (WriteListFile(out, s.list, 3 * count) != ListFileError::None) std::abort();
        s.bytes = std::move(raw.bytes);
        s.path = Dir() + "/list-" + std::to_string(count) + ".vdl";
        const int fd = ::open(s.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        FdOutput file(fd);
        if (fd < 0 || !file.Write(s.bytes.data(), s.bytes.size())) std::abort();
        ::close(fd);
    }
    return s;
}

void LoadList(benchmark::State& state) {
    const Sample& s = SampleOf(static_cast<int>(state.range(0)));
    CWallpaperList list;
    for (auto _ : state) {
        const int fd = ::open(s.path.c_str(), O_RDONLY);
        struct stat st;
        if (fd < 0 || ::fstat(fd, &st) != 0) std::abort();
        FdInput raw(fd);
        ListInput in(raw, static_cast<std::uint64_t>(st.st_size));
        int32_t sum = 0;
        if (ReadListFile(in, list, sum) != ListFileError::None) state.SkipWithError("load failed");
        ::close(fd);
        state.PauseTiming();
        list.RemoveAll();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}

void RawRead(benchmark::State& state) {
    const Sample& s = SampleOf(static_cast<int>(state.range(0)));
    std::vector<char> buffer(kListBufferSize);
    for (auto _ : state) {
        const int fd = ::open(s.path.c_str(), O_RDONLY);
        if (fd < 0) std::abort();
        while (::read(fd, buffer.data(), buffer.size()) > 0)
            benchmark::DoNotOptimize(buffer.data());
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}

void SaveList(benchmark::State& state) {
    const Sample& s = SampleOf(static_cast<int>(state.range(0)));
    const std::string path = Dir() + "/save.vdl";
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) std::abort();
        FdOutput raw(fd);
        ListOutput out(raw);
        if (WriteListFile(out, s.list, 3) != ListFileError::None)
            state.SkipWithError("save failed");
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}

void RawWrite(benchmark::State& state) {
    const Sample& s = SampleOf(static_cast<int>(state.range(0)));
    const std::string path = Dir() + "/save.vdl";
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) std::abort();
        for (std::size_t at = 0; at < s.bytes.size(); at += kListBufferSize) {
            const std::size_t n = std::min(kListBufferSize, s.bytes.size() - at);
            if (::write(fd, s.bytes.data() + at, n) != static_cast<ssize_t>(n)) std::abort();
        }
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.bytes.size()));
}

BENCHMARK(RawRead)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadList)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RawWrite)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveList)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The sample files go with the run.
    for (int count : {1000, 100000})
        std::remove((Dir() + "/list-" + std::to_string(count) + ".vdl").c_str());
    std::remove((Dir() + "/save.vdl").c_str());
    ::rmdir(Dir().c_str());
    return 0;
}
