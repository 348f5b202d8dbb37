#pragma once
// Key-by-key access to INI files with the observable rules of the Windows private-profile
// functions, made safe: every write replaces the file atomically and writes are serialised, both
// between threads (one lock per ProfileFile) and between processes (a lock on the directory).
// The application owns one ProfileFile and passes it to everything that touches settings files.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ini/ini_document.h"

namespace zep {

// A parsed copy of one file, for reading many keys without reading the file each time.
class IniSnapshot {
  public:
    IniSnapshot() = default;
    explicit IniSnapshot(std::optional<IniDocument> doc) : doc_(std::move(doc)) {}

    // The value cut to bufferSize - 1 UTF-16 units (the buffer counts the terminator); empty text
    // when the file, section or key is missing or bufferSize is 0.
    [[nodiscard]] std::u16string Read(std::u16string_view section, std::u16string_view key,
                                      std::size_t bufferSize) const;
    [[nodiscard]] bool exists() const { return doc_.has_value(); }
    [[nodiscard]] bool HasSection(std::u16string_view section) const {
        return doc_ && doc_->HasSection(section);
    }

  private:
    std::optional<IniDocument> doc_;
};

struct IniEntry {
    std::u16string key;
    std::u16string value;
};

struct IniSectionEntries {
    std::u16string section;
    std::vector<IniEntry> entries;
};

class ProfileFile {
  public:
    // Reads the file as it is now. A missing or unreadable file gives a snapshot without document.
    [[nodiscard]] IniSnapshot Snapshot(const std::filesystem::path& file) const;

    // One key, as GetPrivateProfileString with a buffer of bufferSize units and an empty default.
    [[nodiscard]] std::u16string Read(const std::filesystem::path& file,
                                      std::u16string_view section, std::u16string_view key,
                                      std::size_t bufferSize) const;

    // One key, as WritePrivateProfileString. False when nothing was written (the reason is in
    // lastError()); the file is then exactly as before.
    [[nodiscard]] bool Write(const std::filesystem::path& file, std::u16string_view section,
                             std::u16string_view key, std::u16string_view value);

    // Several keys of one section, with the same result as writing them one by one in order, at
    // the cost of one replacement of the file.
    [[nodiscard]] bool WriteBatch(const std::filesystem::path& file, std::u16string_view section,
                                  const std::vector<IniEntry>& entries);

    // Keys of several sections, in order, at the cost of one replacement.
    [[nodiscard]] bool WriteSections(const std::filesystem::path& file,
                                     const std::vector<IniSectionEntries>& sections);

    // How many times a file was replaced since construction (for benchmarks and tests).
    [[nodiscard]] std::uint64_t replacements() const { return replacements_.load(); }
    [[nodiscard]] std::string lastError() const;

  private:
    bool Fail(std::string message);

    mutable std::mutex writeMutex_;
    std::atomic<std::uint64_t> replacements_{0};
    mutable std::mutex errorMutex_;
    std::string lastError_;
};

// Reads a whole file; nullopt when it is missing or unreadable.
[[nodiscard]] std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

// Replaces file with bytes atomically: a temporary file in the same directory is written, synced
// and renamed over the target, so readers and a crash see either the old or the new file. The
// existing file's permissions are kept. Returns an error text, or empty on success.
[[nodiscard]] std::string ReplaceFileAtomically(const std::filesystem::path& file,
                                                std::string_view bytes);

}  // namespace zep
