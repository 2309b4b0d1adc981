#pragma once

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zlc::test {

// A fresh directory for one test, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zlc-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        // Read-only files inside are removed too: only the directory's own
        // permission matters for that.
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline void WriteFile(const std::string& path, const std::string& text) {
    WriteFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

inline std::vector<uint8_t> ReadFile(const std::string& path) {
    // One read of the whole length: a character at a time costs seconds for
    // the large files of the save tests in an unoptimised build.
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> bytes(in ? static_cast<size_t>(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

inline std::string ReadText(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    return {bytes.begin(), bytes.end()};
}

// Everything a failed save or load must leave as it was. The bytes are read
// without updating the access time, so looking does not change what is checked.
struct FileState {
    std::vector<uint8_t> bytes;
    off_t size = 0;
    mode_t mode = 0;
    timespec access{};
    timespec modification{};

    static FileState Of(const std::string& path) {
        FileState state;
        struct stat status {};
        ::stat(path.c_str(), &status);
        state.size = status.st_size;
        state.mode = status.st_mode;
        state.access = status.st_atim;
        state.modification = status.st_mtim;
        if (const int fd = ::open(path.c_str(), O_RDONLY | O_NOATIME); fd >= 0) {
            uint8_t buffer[65536];
            for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
                state.bytes.insert(state.bytes.end(), buffer, buffer + n);
            }
            ::close(fd);
        }
        return state;
    }

    bool operator==(const FileState& other) const {
        const auto same = [](timespec a, timespec b) {
            return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
        };
        return bytes == other.bytes && size == other.size && mode == other.mode &&
               same(access, other.access) && same(modification, other.modification);
    }
};

// Dates a file back, so that a save that touched its times shows.
inline void SetOldTimes(const std::string& path) {
    const timespec times[2] = {{1000000000, 111}, {1000000000, 222}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

} // namespace zlc::test
