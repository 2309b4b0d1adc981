#include "files/ConfigureMultiple.h"

#include "base/Format.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <vector>

namespace zlc {

namespace {

// Saves that wait for the disk at the same time. Each save still syncs its
// file before it reports success; running several at once lets their syncs
// share the disk's flushes instead of queueing one after the other.
constexpr size_t kSavesAtOnce = 8;

// The files in groups that are saved one after the other: names of one file
// (links, or the same file listed twice) must never be saved at once, as both
// saves would hold the same lock. Each group lists indexes into `files`.
std::vector<std::vector<size_t>> GroupsByFile(std::span<const std::string> files) {
    std::vector<std::vector<size_t>> groups;
    std::map<std::pair<dev_t, ino_t>, size_t> groupOfFile;
    for (size_t i = 0; i < files.size(); ++i) {
        struct stat status {};
        if (::stat(files[i].c_str(), &status) != 0) {
            groups.push_back({i}); // it fails alone, with its own reason
            continue;
        }
        const auto [at, added] =
            groupOfFile.try_emplace({status.st_dev, status.st_ino}, groups.size());
        if (added) {
            groups.emplace_back();
        }
        groups[at->second].push_back(i);
    }
    return groups;
}

// The outcomes of saves run on a few threads, taken in list order by the
// caller's thread, which alone reports them.
class OverlappedSaves {
  public:
    OverlappedSaves(const ConfigDocument& doc, std::span<const std::string> files,
                    bool preservePhysicalAddress, const SaveConditions& conditions)
        : doc_(doc), files_(files), preserve_(preservePhysicalAddress), conditions_(conditions),
          groups_(GroupsByFile(files)), outcomes_(files.size()) {
        // A caller that wants to be asked while a lock is waited for (a user
        // interface) is asked on its own thread, so its files are saved there,
        // one after the other.
        const size_t threads =
            conditions.wait.keepWaiting ? 0 : std::min(kSavesAtOnce, groups_.size());
        for (size_t t = 0; t < threads; ++t) {
            workers_.emplace_back([this] { Work(); });
        }
    }
    ~OverlappedSaves() {
        for (std::thread& worker : workers_) {
            worker.join();
        }
    }
    OverlappedSaves(const OverlappedSaves&) = delete;
    OverlappedSaves& operator=(const OverlappedSaves&) = delete;

    // Waits for the save of file `i`, or saves it when there are no threads.
    FileOutcome Outcome(size_t i) {
        if (workers_.empty()) {
            return Save(i);
        }
        std::unique_lock lock(mutex_);
        done_.wait(lock, [&] { return outcomes_[i].has_value(); });
        return std::move(*outcomes_[i]);
    }

  private:
    FileOutcome Save(size_t i) const {
        return SaveConfigFile(doc_, files_[i], std::nullopt, preserve_, conditions_);
    }
    void Work() {
        for (size_t g = nextGroup_++; g < groups_.size(); g = nextGroup_++) {
            for (const size_t i : groups_[g]) {
                FileOutcome outcome = Save(i);
                const std::lock_guard lock(mutex_);
                outcomes_[i] = std::move(outcome);
                done_.notify_all();
            }
        }
    }

    const ConfigDocument& doc_;
    std::span<const std::string> files_;
    bool preserve_;
    const SaveConditions& conditions_;
    std::vector<std::vector<size_t>> groups_;
    std::atomic<size_t> nextGroup_{0};
    std::mutex mutex_;
    std::condition_variable done_;
    std::vector<std::optional<FileOutcome>> outcomes_;
    std::vector<std::thread> workers_;
};

} // namespace

ConfigureResult ConfigureFiles(const ConfigDocument& doc, std::span<const std::string> files,
                               bool preservePhysicalAddress,
                               const std::function<void(const FileOutcome&)>& onFailure,
                               const std::function<void(size_t done)>& onProgress,
                               const SaveConditions& conditions) {
    ConfigureResult result;
    if (files.empty()) {
        result.summary = kMessageNoFilesSelected;
        return result;
    }
    result.configured = true;
    result.summary = kSummaryHeading;
    OverlappedSaves saves(doc, files, preservePhysicalAddress, conditions);
    for (size_t i = 0; i < files.size(); ++i) {
        const FileOutcome outcome = saves.Outcome(i);
        if (!outcome.ok) {
            ++result.failures;
            if (onFailure) {
                onFailure(outcome);
            }
        }
        AppendFormat(result.summary, "%s\t%s\n", outcome.ok ? "OK" : "Error", files[i].c_str());
        if (onProgress) {
            onProgress(i + 1);
        }
    }
    return result;
}

} // namespace zlc
