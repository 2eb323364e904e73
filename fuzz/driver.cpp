// Random-input driver for fuzz targets when the compiler has no libFuzzer.
// Usage: fuzz_x [seconds] [seed files or folders...]. Every seed runs once as it is, then
// inputs are random bytes and mutations of the seeds; any crash or sanitizer report ends the
// run with a non-zero code. Folders are read with their subfolders. A named seed path that
// does not exist or holds no file refuses the run: a mistyped corpus path would otherwise
// fuzz from random bytes alone and still pass.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    std::vector<std::vector<uint8_t>> seeds;
    auto fnAdd = [&seeds](const std::filesystem::path &path) {
        std::ifstream in(path, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path named(argv[i]);
        if (!std::filesystem::exists(named)) {
            std::fprintf(stderr, "%s: seed path %s does not exist\n", argv[0], argv[i]);
            return 2;
        }
        if (!std::filesystem::is_directory(named)) {
            fnAdd(named);
            continue;
        }
        // Sorted, so that a run is the same on every file system.
        std::vector<std::filesystem::path> files;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(named))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        if (files.empty()) {
            std::fprintf(stderr, "%s: seed folder %s holds no seed file\n", argv[0], argv[i]);
            return 2;
        }
        std::sort(files.begin(), files.end());
        for (const auto &file : files)
            fnAdd(file);
    }
    for (auto &seed : seeds)
        LLVMFuzzerTestOneInput(seed.data(), seed.size());
    std::mt19937 rng(12345);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0;
    std::vector<uint8_t> buf;
    while (std::chrono::steady_clock::now() < end) {
        if (!seeds.empty() && rng() % 2) {
            buf = seeds[rng() % seeds.size()];
            const int flips = 1 + rng() % 8;
            for (int f = 0; f < flips && !buf.empty(); ++f)
                buf[rng() % buf.size()] = static_cast<uint8_t>(rng());
            if (rng() % 4 == 0 && !buf.empty())
                buf.resize(rng() % buf.size());
        } else {
            buf.resize(rng() % 4096);
            for (auto &b : buf)
                b = static_cast<uint8_t>(rng());
        }
        LLVMFuzzerTestOneInput(buf.data(), buf.size());
        ++runs;
    }
    std::printf("%zu seeds, %ld runs in %.1f s, no failure\n", seeds.size(), runs, seconds);
    return 0;
}
