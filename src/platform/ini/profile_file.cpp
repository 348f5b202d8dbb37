#include "platform/ini/profile_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zep {

namespace {

std::string Errno(std::string_view what, const std::filesystem::path& path) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Holds an exclusive flock on a directory, so that two processes rewriting files in it do not
// lose each other's keys. Best effort: a directory that cannot be locked is written unlocked.
class DirectoryLock {
  public:
    explicit DirectoryLock(const std::filesystem::path& dir)
        : fd_(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0) {
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~DirectoryLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

  private:
    int fd_;
};

}  // namespace

std::u16string IniSnapshot::Read(std::u16string_view section, std::u16string_view key,
                                 std::size_t bufferSize) const {
    if (!doc_ || bufferSize == 0) return {};
    std::u16string value = doc_->Get(section, key).value_or(std::u16string());
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;  // EISDIR, EIO, ...: unreadable, not empty
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

std::string ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    const std::filesystem::path dir = file.parent_path();
    std::string hidden = ".";
    hidden += file.filename().string();
    hidden += ".XXXXXX";
    std::string pattern = (dir / hidden).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return Errno("cannot create a temporary file beside", file);
    const std::filesystem::path temp = pattern;

    struct stat existing {};
    mode_t mode = 0644;
    if (::stat(file.c_str(), &existing) == 0) mode = existing.st_mode & 07777;

    std::string error;
    if (!WriteAll(fd, bytes))
        error = Errno("cannot write", temp);
    else if (::fchmod(fd, mode) != 0)
        error = Errno("cannot set the mode of", temp);
    else if (::fsync(fd) != 0)
        error = Errno("cannot sync", temp);
    if (::close(fd) != 0 && error.empty()) error = Errno("cannot close", temp);
    if (error.empty() && ::rename(temp.c_str(), file.c_str()) != 0) {
        error = Errno("cannot replace", file);
    }
    if (!error.empty()) {
        ::unlink(temp.c_str());
        return error;
    }
    // Make the rename itself durable.
    const int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

IniSnapshot ProfileFile::Snapshot(const std::filesystem::path& file) const {
    auto bytes = ReadFileBytes(file);
    if (!bytes) return IniSnapshot();
    return IniSnapshot(IniDocument::Parse(*bytes));
}

std::u16string ProfileFile::Read(const std::filesystem::path& file, std::u16string_view section,
                                 std::u16string_view key, std::size_t bufferSize) const {
    return Snapshot(file).Read(section, key, bufferSize);
}

bool ProfileFile::Write(const std::filesystem::path& file, std::u16string_view section,
                        std::u16string_view key, std::u16string_view value) {
    return WriteBatch(file, section, {IniEntry{std::u16string(key), std::u16string(value)}});
}

bool ProfileFile::WriteBatch(const std::filesystem::path& file, std::u16string_view section,
                             const std::vector<IniEntry>& entries) {
    return WriteSections(file, {IniSectionEntries{std::u16string(section), entries}});
}

bool ProfileFile::WriteSections(const std::filesystem::path& file,
                                const std::vector<IniSectionEntries>& sections) {
    std::lock_guard lock(writeMutex_);
    DirectoryLock dirLock(file.parent_path());
    IniDocument doc;
    if (auto bytes = ReadFileBytes(file)) {
        doc = IniDocument::Parse(*bytes);
    } else if (std::error_code ec; std::filesystem::exists(file, ec)) {
        return Fail("cannot read " + file.string());  // never overwrite what we could not read
    }
    for (const auto& [section, entries] : sections) {
        for (const auto& entry : entries) {
            if (!doc.Set(section, entry.key, entry.value)) {
                return Fail(
                    "refused to write a name or value with a line break or a separator into " +
                    file.string());
            }
        }
    }
    if (std::string error = ReplaceFileAtomically(file, doc.Serialize()); !error.empty()) {
        return Fail(std::move(error));
    }
    ++replacements_;
    return true;
}

std::string ProfileFile::lastError() const {
    std::lock_guard lock(errorMutex_);
    return lastError_;
}

bool ProfileFile::Fail(std::string message) {
    std::lock_guard lock(errorMutex_);
    lastError_ = std::move(message);
    return false;
}

}  // namespace zep
