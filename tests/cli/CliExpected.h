#pragma once

#include "support/TempDir.h"

#include <string>

namespace zlc::test {

// The built 62740VIRT: an ELF program that carries a configuration block.
inline const std::string kVirtProgram = std::string(ZLC_BIN_DIR) + "/62740VIRT";

// An expected output of the command-line tests, from tests/data/cli.
inline std::string ExpectedCliOutput(const std::string& name) {
    return ReadText(std::string(ZLC_TEST_DATA_DIR) + "/cli/" + name);
}

} // namespace zlc::test
