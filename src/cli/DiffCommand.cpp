#include "base/Format.h"
#include "board/BoardAccess.h"
#include "board/Differences.h"
#include "cli/Cli.h"
#include "cli/Json.h"
#include "files/ConfigFile.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>

namespace zlc::cli {

namespace {

using board::Difference;

struct DiffOptions {
    std::string a;
    std::string b; // empty: the default configuration
    bool json = false;
};

// `board` or `board:PATH` in place of a file: the board, or empty.
std::optional<board::BoardTarget> BoardOperand(const std::string& operand) {
    constexpr std::string_view kBoard = "board";
    if (operand == kBoard) {
        return board::BoardTarget{};
    }
    if (operand.size() > kBoard.size() + 1 && operand.starts_with("board:")) {
        return board::BoardTarget{operand.substr(kBoard.size() + 1)};
    }
    return std::nullopt;
}

std::string JsonArray(const std::vector<Difference>& differences, const char* keyName) {
    std::string out = "[";
    for (size_t i = 0; i < differences.size(); ++i) {
        const Difference& d = differences[i];
        const bool numericKey = std::string_view(keyName) == "id";
        out += i == 0 ? "\n" : ",\n";
        out += Format("    {\"%s\": ", keyName) + (numericKey ? d.key : JsonString(d.key)) +
               ", \"name\": " + JsonString(d.name) + ", \"a\": " + JsonString(d.a) +
               ", \"b\": " + JsonString(d.b) + "}";
    }
    return out + (differences.empty() ? "]" : "\n  ]");
}

bool Load(const std::string& path, ConfigDocument& doc) {
    if (path.empty()) {
        return true; // the default configuration
    }
    const FileOutcome outcome = LoadConfigFile(doc, path);
    if (!outcome.ok) {
        std::fprintf(stderr, "%s\n", outcome.message.c_str());
    }
    return outcome.ok;
}

// A board operand takes what the board does not hold from the other side, so
// that only what the board holds can differ.
bool ReadBoard(const board::BoardTarget& target, const ConfigDocument& base, ConfigDocument& doc) {
    const board::BoardRegisters read = board::ReadBoardRegisters(base.block, target);
    if (!read.ok) {
        std::fprintf(stderr, "zlc62740: diff: %s\n", read.message.c_str());
        return false;
    }
    doc = board::WithBoardRegisters(base, read.regs);
    return true;
}

int Diff(const DiffOptions& options) {
    ConfigDocument a;
    ConfigDocument b;
    const auto boardA = BoardOperand(options.a);
    const auto boardB = BoardOperand(options.b);
    if ((!boardA && !Load(options.a, a)) || (!boardB && !Load(options.b, b))) {
        return kExitUsage;
    }
    const ConfigDocument baseA = a;
    if ((boardA && !ReadBoard(*boardA, b, a)) || (boardB && !ReadBoard(*boardB, baseA, b))) {
        return kExitUsage;
    }
    const auto settings = board::SettingDifferences(a, b);
    const auto registers = board::RegisterDifferences(a, b);
    const bool withBoard = boardA || boardB;
    if (options.json) {
        std::printf(
            "{\n  \"settings\": %s,\n  \"registers\": %s%s\n}\n", JsonArray(settings, "id").c_str(),
            JsonArray(registers, "register").c_str(),
            withBoard
                ? (",\n  \"notCompared\": " + JsonString(board::NotComparedWithBoard())).c_str()
                : "");
    } else {
        std::fputs(board::DifferenceLines(settings).c_str(), stdout);
        std::fputs(board::DifferenceLines(registers).c_str(), stdout);
        if (withBoard) {
            std::printf("# %s\n", board::NotComparedWithBoard().c_str());
        }
    }
    return settings.empty() && registers.empty() ? kExitOk : kExitFailed;
}

} // namespace

void AddDiffCommand(CLI::App& app, Invocation& invocation) {
    auto options = std::make_shared<DiffOptions>();
    auto* diff = app.add_subcommand(
        "diff", "Print the settings and registers in which two files' configurations differ; "
                "exit 0 when equal, 1 when different, 2 on trouble");
    diff->add_option("A", options->a,
                     "A configurable file, or `board` (the board ZLC62740_BOARD chooses) or "
                     "`board:PATH` (a simulated board's file): its registers")
        ->required();
    diff->add_option("B", options->b,
                     "Another configurable file, `board` or `board:PATH` (default: the default "
                     "block)");
    diff->add_flag("--json", options->json, "Print a JSON object instead of text lines");
    diff->callback([&invocation, options] {
        // The two operands are the whole input; the document options play no part.
        invocation.command = [options](ConfigDocument&) { return Diff(*options); };
    });
}

} // namespace zlc::cli
