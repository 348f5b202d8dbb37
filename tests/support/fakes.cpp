#include "support/fakes.h"

namespace zep::test {

namespace {
std::optional<std::filesystem::path> Next(std::deque<std::optional<std::filesystem::path>>& q) {
    if (q.empty()) return std::nullopt;
    auto answer = q.front();
    q.pop_front();
    return answer;
}
}  // namespace

std::optional<std::filesystem::path> FakePrompts::ChooseOpenFile(const FileDialogOptions& o) {
    dialogsShown.push_back(o);
    return Next(fileAnswers);
}

std::optional<std::filesystem::path> FakePrompts::ChooseSaveFile(const FileDialogOptions& o) {
    dialogsShown.push_back(o);
    return Next(fileAnswers);
}

}  // namespace zep::test
