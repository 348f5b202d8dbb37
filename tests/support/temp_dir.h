#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace zep::test {

// A fresh directory under the system temp dir, removed with everything in it on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::filesystem::path operator/(std::string_view name) const {
        return path_ / name;
    }

  private:
    std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
[[nodiscard]] std::string ReadBytes(const std::filesystem::path& file);

}  // namespace zep::test
