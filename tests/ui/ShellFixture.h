#pragma once

#include "FakeHosts.h"
#include "ui/Shell.h"

#include <gtest/gtest.h>

namespace zlc::ui::test {

// A started shell on the default configuration, showing the General page.
class ShellFixture : public ::testing::Test {
  protected:
    ShellFixture() : shell(doc, panels, host) {
        host.shell = &shell;
        shell.state().diagnostics.SetView(&host);
        shell.Start();
    }

    FakeDialogHost& page() { return *host.page; }
    void ShowTab(int index) { ASSERT_TRUE(shell.RequestTab(index)); }

    ConfigDocument doc;
    PanelList panels;
    FakeShellHost host;
    Shell shell;
};

} // namespace zlc::ui::test
