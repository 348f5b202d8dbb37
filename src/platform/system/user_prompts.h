#pragma once
// What the utility asks of the person in front of it: a message with an OK button, and the choice
// of a file to open or to save. The window shows real dialogs; tests script the answers.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zep {

struct FileDialogOptions {
    std::u16string filter;  // e.g. u"All Files(*.ini)|*.ini||"
    std::filesystem::path initialDirectory;
    std::u16string defaultExtension;  // save only, e.g. u"ini"
};

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    // A message box with an OK button and the application's name as caption; returns when closed.
    virtual void ShowMessage(std::u16string_view text) = 0;
    // nullopt when the person cancels.
    [[nodiscard]] virtual std::optional<std::filesystem::path> ChooseOpenFile(
        const FileDialogOptions& options) = 0;
    // Asks before overwriting an existing file; nullopt when the person cancels.
    [[nodiscard]] virtual std::optional<std::filesystem::path> ChooseSaveFile(
        const FileDialogOptions& options) = 0;
};

}  // namespace zep
