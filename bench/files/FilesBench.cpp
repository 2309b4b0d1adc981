// Load and save of large configurable files, next to srec_cat reading and
// writing the same S-record file in the same run.
//   bench_files [--benchmark_filter=...]
#include "files/ConfigFile.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr size_t kSRecordData = 32u << 20;
constexpr size_t kRawImage = 256u << 20;
constexpr size_t kBytesPerRecord = 32;

std::vector<uint8_t> BlockBytes() {
    zlc::ConfigBlock block = zlc::DefaultConfigBlock();
    std::vector<uint8_t> bytes(zlc::kConfigBlockSize);
    zlc::ConfigBlockToBytes(block, bytes.data());
    return bytes;
}

// Program-like data: varied bytes with the block somewhere in the middle.
std::vector<uint8_t> Payload(size_t size) {
    std::vector<uint8_t> data(size);
    uint32_t x = 2463534242u;
    for (uint8_t& b : data) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<uint8_t>(x % 251);
    }
    const std::vector<uint8_t> block = BlockBytes();
    std::copy(block.begin(), block.end(), data.begin() + static_cast<std::ptrdiff_t>(size / 2 + 3));
    return data;
}

void AppendHex(std::string& out, uint8_t byte) {
    static const char digits[] = "0123456789ABCDEF";
    out += digits[byte >> 4];
    out += digits[byte & 15];
}

std::string Record(char type, uint32_t address, const uint8_t* data, size_t n) {
    const int addressBytes = type == '3' || type == '7' ? 4 : 2;
    std::string line = "S";
    line += type;
    const auto count = static_cast<uint8_t>(addressBytes + n + 1);
    unsigned sum = count;
    AppendHex(line, count);
    for (int i = addressBytes - 1; i >= 0; --i) {
        const auto byte = static_cast<uint8_t>(address >> (8 * i));
        AppendHex(line, byte);
        sum += byte;
    }
    for (size_t i = 0; i < n; ++i) {
        AppendHex(line, data[i]);
        sum += data[i];
    }
    AppendHex(line, static_cast<uint8_t>(~sum));
    return line + "\n";
}

struct Files {
    std::string dir;
    std::string srecord;
    std::string raw;

    Files() {
        const char* base = std::getenv("ZLC_BENCH_DIR");
        dir = std::string(base != nullptr ? base : "/tmp") + "/zlc-bench";
        std::filesystem::create_directories(dir);
        srecord = dir + "/big.s9";
        raw = dir + "/big.elf";
        const std::vector<uint8_t> data = Payload(kSRecordData);
        std::string text = Record('0', 0, reinterpret_cast<const uint8_t*>("bench"), 5);
        for (size_t at = 0; at < data.size(); at += kBytesPerRecord) {
            text += Record('3', static_cast<uint32_t>(at), data.data() + at, kBytesPerRecord);
        }
        text += Record('7', 0, nullptr, 0);
        std::ofstream(srecord, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
        const std::vector<uint8_t> image = Payload(kRawImage);
        std::ofstream(raw, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()),
                   static_cast<std::streamsize>(image.size()));
    }
    ~Files() { std::filesystem::remove_all(dir); }
};

Files& TheFiles() {
    static Files files;
    return files;
}

int64_t FileSize(const std::string& path) {
    return static_cast<int64_t>(std::filesystem::file_size(path));
}

void Load(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        zlc::ConfigDocument doc;
        if (!zlc::LoadConfigFile(doc, path).ok) {
            state.SkipWithError("load failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}

void Save(benchmark::State& state, const std::string& path) {
    zlc::ConfigDocument doc;
    uint8_t value = 0;
    for (auto _ : state) {
        doc.SetRegister(4, value++);
        if (!zlc::SaveConfigFile(doc, path, std::nullopt, false).ok) {
            state.SkipWithError("save failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}

void BM_SRecordLoad(benchmark::State& state) {
    Load(state, TheFiles().srecord);
}

void BM_SRecordSave(benchmark::State& state) {
    Save(state, TheFiles().srecord);
}

// What a user waits for: open the file, change it, save it.
void BM_SRecordLoadAndSave(benchmark::State& state) {
    const std::string& path = TheFiles().srecord;
    uint8_t value = 0;
    for (auto _ : state) {
        zlc::ConfigDocument doc;
        if (!zlc::LoadConfigFile(doc, path).ok) {
            state.SkipWithError("load failed");
        }
        doc.SetRegister(4, value++);
        if (!zlc::SaveConfigFile(doc, path, std::nullopt, false).ok) {
            state.SkipWithError("save failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}

// srec_cat reading and writing the same file, for comparison.
void BM_SrecCatReadWrite(benchmark::State& state) {
    const std::string& path = TheFiles().srecord;
    const std::string out = TheFiles().dir + "/srec_cat.s9";
    const std::string command = "srec_cat " + path + " -motorola -o " + out + " -motorola";
    if (std::system("command -v srec_cat >/dev/null") != 0) {
        state.SkipWithError("srec_cat is not installed");
        return;
    }
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("srec_cat failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}

void BM_RawLoad(benchmark::State& state) {
    Load(state, TheFiles().raw);
}

// Writes the 68 bytes of the block, not the image: the time is the read and
// the search.
void BM_RawSave(benchmark::State& state) {
    Save(state, TheFiles().raw);
}

BENCHMARK(BM_SRecordLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SRecordSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SRecordLoadAndSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SrecCatReadWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_RawLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawSave)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
