#pragma once

#include "ui/qt/Dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace zlc::ui::qt::test {

// File choices come from a queue and message boxes are recorded.
class ScriptedDialogs : public Dialogs {
  public:
    std::optional<std::string> ChooseFile(QWidget*, const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) {
            return std::nullopt;
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(QWidget*, MessageIcon, const std::string& text) override {
        messages.push_back(text);
    }

    std::deque<std::string> answers;
    std::vector<std::string> messages;
    std::vector<FileDialogRequest> requests;
};

} // namespace zlc::ui::qt::test
