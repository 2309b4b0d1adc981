#pragma once

#include "model/ConfigDocument.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zlc::test {

// A scratch directory for files that a save is to change.
class FileFixture : public ::testing::Test {
  protected:
    // Dated back, so that a save that touches the file's times shows.
    std::string Put(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = dir / name;
        WriteFile(path, bytes);
        SetOldTimes(path);
        return path;
    }

    size_t EntryCount() const {
        return static_cast<size_t>(
            std::distance(std::filesystem::directory_iterator(dir.path()), {}));
    }

    // The default configuration with a width of 640 pixels.
    static ConfigDocument Changed() {
        ConfigDocument doc;
        doc.SetRegister(4, 0x4F);
        return doc;
    }

    TempDir dir;
};

} // namespace zlc::test
