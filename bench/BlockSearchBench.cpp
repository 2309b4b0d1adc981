// Block search throughput over a 64 MiB image whose only block is at the very
// end, so the whole image is scanned.
#include "files/BlockSearch.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr size_t kImageSize = 64u << 20;

std::vector<uint8_t> ImageWithBlockAtEnd(bool randomFill) {
    std::vector<uint8_t> image(kImageSize, 0);
    if (randomFill) {
        std::mt19937_64 random(62740);
        for (size_t i = 0; i + 8 <= image.size(); i += 8) {
            const uint64_t word = random();
            std::memcpy(&image[i], &word, 8);
        }
    }
    const zlc::ConfigBlock block = zlc::DefaultConfigBlock();
    zlc::ConfigBlockToBytes(block, image.data() + image.size() - zlc::kConfigBlockSize);
    return image;
}

void Scan(benchmark::State& state, bool randomFill) {
    const std::vector<uint8_t> image = ImageWithBlockAtEnd(randomFill);
    std::string message;
    for (auto _ : state) {
        size_t offset = 0;
        const auto result = zlc::LocateConfigBlock(image, nullptr, &offset, message);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(offset);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.size()));
}

void BM_LocateRandomImage(benchmark::State& state) {
    Scan(state, true);
}

void BM_LocateZeroImage(benchmark::State& state) {
    Scan(state, false);
}

// A plain memchr through the same amount of memory, for comparison on this
// machine: the byte looked for occurs nowhere in the zero image.
void BM_MemchrBaseline(benchmark::State& state) {
    const std::vector<uint8_t> image = ImageWithBlockAtEnd(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::memchr(image.data(), 0x01, image.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.size()));
}

} // namespace

BENCHMARK(BM_LocateRandomImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateZeroImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemchrBaseline)->Unit(benchmark::kMillisecond);
