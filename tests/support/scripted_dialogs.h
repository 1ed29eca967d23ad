// File dialogs answered by a script instead of the user.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/file_dialogs_ui.h"
#include "tests/support/scoped_hook.h"

namespace stagora::test {

// Answers the file dialogs in turn with scripted paths (nullopt: cancel) and keeps what they
// were asked.
class ScriptedDialogs {
 public:
  void answer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  std::vector<FileDialogRequest> requests;

 private:
  std::deque<std::optional<std::string>> answers_;
  const ScopedHook<FileDialogHandler> dialog_{
      SetFileDialogHandler, [this](const FileDialogRequest& req) -> std::optional<QString> {
        requests.push_back(req);
        if (answers_.empty()) {
          ADD_FAILURE() << "a file dialog nobody expected";
          return std::nullopt;
        }
        const std::optional<std::string> answer = answers_.front();
        answers_.pop_front();
        if (!answer) return std::nullopt;
        return QString::fromStdString(*answer);
      }};
};

}  // namespace stagora::test
