// Scan and extraction speed of zipped addon packages.
//
//   ZipPackageBench extract <zip> <target folder>
//       scans the package and extracts it into the folder once, and prints
//       "seconds <value>" (used by zip_vs_unzip.sh to compare with unzip);
//   ZipPackageBench [benchmark options]
//       runs the Google benchmarks on the package named by PLENFOX_BENCH_ZIP.

#include "client/model/wow/ZippedWowAddonPackage.h"
#include "lib/util/FileSystem.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using plenfox::client::wow::ZippedWowAddonPackage;

fs::path benchArchive() {
    const char* path = std::getenv("PLENFOX_BENCH_ZIP");
    return path ? fs::path(path) : fs::path();
}

void BM_ScanPackage(benchmark::State& state) {
    const fs::path archive = benchArchive();
    if (archive.empty()) {
        state.SkipWithError("set PLENFOX_BENCH_ZIP to a package (see zip_vs_unzip.sh)");
        return;
    }
    for (auto _ : state) {
        ZippedWowAddonPackage package(archive);
        benchmark::DoNotOptimize(package.validate());
    }
}
BENCHMARK(BM_ScanPackage)->Unit(benchmark::kMillisecond);

void BM_ExtractPackage(benchmark::State& state) {
    const fs::path archive = benchArchive();
    if (archive.empty()) {
        state.SkipWithError("set PLENFOX_BENCH_ZIP to a package (see zip_vs_unzip.sh)");
        return;
    }
    // Fresh folders beside the archive, deleted only at the end: deleting a
    // tree between runs would leave file system work that slows the next one.
    const fs::path work = archive.parent_path() / "extract-bench";
    int run = 0;
    for (auto _ : state) {
        ZippedWowAddonPackage package(archive);
        if (!package.extractTo(work / std::to_string(run++)))
            state.SkipWithError("extraction failed");
    }
    plenfox::util::FileSystem::deleteTree(work);
}
BENCHMARK(BM_ExtractPackage)->Unit(benchmark::kMillisecond);

// What the client does with a finished download: scan, then extract.
int extractMode(const fs::path& archive, const fs::path& target) {
    const auto start = std::chrono::steady_clock::now();
    ZippedWowAddonPackage package(archive);
    const bool valid = package.validate();
    const bool extracted = package.extractTo(target);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!valid || !extracted) {
        std::fprintf(stderr, "package %s failed (valid %d, extracted %d)\n", archive.c_str(), valid,
                     extracted);
        return 1;
    }
    std::printf("seconds %.6f\n", elapsed.count());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "extract") == 0)
        return extractMode(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
