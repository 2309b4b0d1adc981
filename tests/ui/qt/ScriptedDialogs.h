#pragma once

#include "ui/qt/Dialogs.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace zlc::ui::qt::test {

// File choices come from a queue and message boxes are recorded.
class ScriptedDialogs : public Dialogs {
  public:
    std::optional<std::string> ChooseFile(QWidget*, const FileDialogRequest& request) override {
        requests->push_back(request);
        if (answers->empty()) {
            return std::nullopt;
        }
        std::string answer = answers->front();
        answers->pop_front();
        return answer;
    }
    void ShowMessage(QWidget*, MessageIcon, const std::string& text) override {
        messages->push_back(text);
    }

    std::shared_ptr<std::deque<std::string>> answers = std::make_shared<std::deque<std::string>>();
    std::shared_ptr<std::vector<std::string>> messages =
        std::make_shared<std::vector<std::string>>();
    std::shared_ptr<std::vector<FileDialogRequest>> requests =
        std::make_shared<std::vector<FileDialogRequest>>();
};

} // namespace zlc::ui::qt::test
