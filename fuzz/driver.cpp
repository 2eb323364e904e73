// Random-input driver for fuzz targets when the compiler has no libFuzzer.
// Usage: fuzz_x [seconds] [seed files...]. Inputs are random bytes and mutations of the
// seed files; any crash or sanitizer report ends the run with a non-zero code.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
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
    std::printf("%ld runs in %.1f s, no failure\n", runs, seconds);
    return 0;
}
