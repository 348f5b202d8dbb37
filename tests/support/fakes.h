#pragma once
// Scripted and recording stand-ins for the platform interfaces.

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/system/user_prompts.h"

namespace zep::test {

class FakePrompts : public UserPrompts {
public:
    void ShowMessage(std::u16string_view text) override { messages.emplace_back(text); }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileDialogOptions& o) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const FileDialogOptions& o) override;

    std::vector<std::u16string> messages;
    // Answers handed out in order; an empty queue answers as a cancel.
    std::deque<std::optional<std::filesystem::path>> fileAnswers;
    std::vector<FileDialogOptions> dialogsShown;
};

}  // namespace zep::test
