#include "cli/Cli.h"
#include "cli/PanelCommands.h"
#include "cli/SettingNames.h"
#include "model/ModeDescription.h"
#include "model/RegisterTable.h"
#include "model/SettingTexts.h"
#include "model/Validation.h"

#include <CLI/CLI.hpp>
#include <cstdio>

namespace zlc::cli {

namespace {

int PrintMode(const ConfigDocument& doc) {
    std::printf("%s\n", ModeDescription(doc).c_str());
    return kExitOk;
}

int Check(const ConfigDocument& doc, const PanelList& panels) {
    // A panel file of the wrong version counts as an error, as in the
    // Diagnostics box.
    const std::string errors = CheckErrors(doc) + PanelFileMessages(panels);
    std::fputs(errors.c_str(), stdout);
    std::fputs(CheckWarnings(doc).c_str(), stdout);
    return errors.empty() ? kExitOk : kExitFailed;
}

int PrintRegisters(const ConfigDocument& doc) {
    for (int index = 0; index < static_cast<int>(kRegisterCount); ++index) {
        const auto columns = RegisterListRow(doc, index);
        std::printf("%s\t%s\t%s\t%s\t%s\n", columns[0].c_str(), columns[1].c_str(),
                    columns[2].c_str(), columns[3].c_str(), columns[4].c_str());
    }
    return kExitOk;
}

int PrintBreakdown(const ConfigDocument& doc, const std::string& registerText) {
    const int index = ParseRegisterIndex(registerText);
    if (index < 0) {
        std::fprintf(stderr, "zlc62740: \"%s\" is not a register (00 to 1F)\n",
                     registerText.c_str());
        return kExitUsage;
    }
    const std::string breakdown = RegisterBreakdown(doc, index);
    if (!breakdown.empty()) {
        std::printf("%s\n", breakdown.c_str());
    }
    return kExitOk;
}

int Describe(const std::string& name) {
    const auto ref = ResolveSettingName(name);
    if (!ref || ref->IsRegister()) {
        std::fprintf(stderr, "zlc62740: unknown setting \"%s\"\n", name.c_str());
        return kExitUsage;
    }
    std::printf("%s\n", SettingHelpText(ref->ids.front()).c_str());
    return kExitOk;
}

} // namespace

void AddModelCommands(CLI::App& app, Invocation& invocation) {
    app.add_subcommand("mode", "Print the mode description")->callback([&invocation] {
        invocation.command = PrintMode;
    });
    app.add_subcommand("check", "Print the errors and warnings; exit 1 when there is an error")
        ->callback([&invocation] {
            invocation.command = [&invocation](ConfigDocument& doc) {
                return Check(doc, ProgramPanels(invocation.document));
            };
        });
    app.add_subcommand("registers", "Print the 32 registers, tab-separated")
        ->callback([&invocation] { invocation.command = PrintRegisters; });

    auto* breakdown = app.add_subcommand("breakdown", "Print the fields of one register");
    auto registerText = std::make_shared<std::string>();
    breakdown->add_option("XX", *registerText, "Register index in hexadecimal")->required();
    breakdown->callback([&invocation, registerText] {
        invocation.command = [registerText](ConfigDocument& doc) {
            return PrintBreakdown(doc, *registerText);
        };
    });

    auto* describe = app.add_subcommand("describe", "Print the help text of a setting");
    auto name = std::make_shared<std::string>();
    describe->add_option("NAME", *name, "Long name, short name or identifier")->required();
    describe->callback([&invocation, name] {
        invocation.command = [name](ConfigDocument&) { return Describe(*name); };
    });
}

} // namespace zlc::cli
