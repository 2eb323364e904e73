// Random-input driver for fuzz targets when the compiler has no libFuzzer.
// Usage: fuzz_x [seconds] [seed files or folders...]. Every seed runs once as it is, then
// inputs are random bytes and mutations of the seeds; any crash or sanitizer report ends the
// run with a non-zero code.
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
        if (!std::filesystem::is_directory(argv[i])) {
            fnAdd(argv[i]);
            continue;
        }
        for (const auto &entry : std::filesystem::directory_iterator(argv[i]))
            if (entry.is_regular_file())
                fnAdd(entry.path());
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
