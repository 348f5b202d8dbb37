#include "platform/hid/linux_hidraw/hidraw_backend.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <linux/netlink.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <mutex>
#include <thread>

namespace zep {
namespace {

class SystemSyscalls : public HidrawSyscalls {
  public:
    int Open(const std::string& path, int flags) override {
        const int fd = ::open(path.c_str(), flags);
        return fd < 0 ? -errno : fd;
    }
    int SetFeature(int fd, std::span<const std::uint8_t> report) override {
        // The kernel only reads the buffer; the ioctl's signature is not const.
        const int result =
            ::ioctl(fd, HIDIOCSFEATURE(report.size()), const_cast<std::uint8_t*>(report.data()));
        return result < 0 ? -errno : result;
    }
    void Close(int fd) override { ::close(fd); }
    int OpenUeventSource() override {
        const int fd = ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
        if (fd < 0) return -errno;
        sockaddr_nl address{};
        address.nl_family = AF_NETLINK;
        address.nl_groups = 1;  // the kernel's group: works without udevd
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0) {
            const int error = errno;
            ::close(fd);
            return -error;
        }
        return fd;
    }
    ssize_t ReceiveUevent(int fd, std::span<char> buffer) override {
        sockaddr_nl sender{};
        socklen_t length = sizeof sender;
        const ssize_t n = ::recvfrom(fd, buffer.data(), buffer.size(), 0,
                                     reinterpret_cast<sockaddr*>(&sender), &length);
        if (n < 0) return -errno;
        // Only the kernel may tell us a device is gone; anyone may send to the group.
        return sender.nl_pid == 0 ? n : 0;
    }
};

HidStatus OpenError(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return HidStatus::PermissionDenied;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return HidStatus::NotFound;
        default:
            return HidStatus::IoError;
    }
}

// A path "<dev node>#<index>" split up; nullopt for anything else.
struct InterfacePath {
    std::string nodeName;
    std::size_t index = 0;
};
std::optional<InterfacePath> SplitPath(const HidrawRoots& roots, const std::string& path) {
    const auto hash = path.rfind('#');
    if (hash == std::string::npos) return std::nullopt;
    const std::filesystem::path node = path.substr(0, hash);
    if (node.parent_path() != roots.dev) return std::nullopt;
    InterfacePath split{node.filename().string(), 0};
    const char* first = path.data() + hash + 1;
    const char* last = path.data() + path.size();
    const auto [end, ec] = std::from_chars(first, last, split.index);
    if (ec != std::errc() || end != last || first == last) return std::nullopt;
    return split;
}

class EventFd {
  public:
    EventFd() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~EventFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    EventFd(const EventFd&) = delete;
    EventFd& operator=(const EventFd&) = delete;
    [[nodiscard]] int fd() const { return fd_; }
    void Signal() const {
        const std::uint64_t one = 1;
        (void)!::write(fd_, &one, sizeof one);
    }
    void Drain() const {
        std::uint64_t value = 0;
        (void)!::read(fd_, &value, sizeof value);
    }

  private:
    int fd_;
};

class HidrawHandle : public HidHandle {
  public:
    HidrawHandle(std::shared_ptr<HidrawSyscalls> sys, int fd, TopLevelCollection collection,
                 bool usesReportIds)
        : sys_(std::move(sys)),
          fd_(fd),
          collection_(std::move(collection)),
          usesReportIds_(usesReportIds) {}
    ~HidrawHandle() override { sys_->Close(fd_); }

    HidReadResult ReadInputReport(std::span<std::uint8_t> buffer, std::stop_token stop) override;
    HidStatus SendFeatureReport(std::span<const std::uint8_t> report) override;

  private:
    // One report of the node into buffer: Ok with its size, or why there is none.
    HidReadResult ReadOne(std::span<std::uint8_t> buffer);

    std::shared_ptr<HidrawSyscalls> sys_;
    int fd_;
    TopLevelCollection collection_;
    bool usesReportIds_;
    EventFd cancel_;
    bool removed_ = false;  // touched by the one reading thread only
};

HidReadResult HidrawHandle::ReadOne(std::span<std::uint8_t> buffer) {
    // Without report ids the report carries none; the caller still gets the 0 byte first.
    std::span<std::uint8_t> target = usesReportIds_ ? buffer : buffer.subspan(1);
    const ssize_t n = ::read(fd_, target.data(), target.size());
    if (n > 0) {
        if (!usesReportIds_) buffer[0] = 0;
        return {HidStatus::Ok, static_cast<std::size_t>(n) + (usesReportIds_ ? 0 : 1)};
    }
    if (n == 0) return {HidStatus::Removed, 0};  // the other end is gone
    if (errno == EAGAIN || errno == EINTR) return {HidStatus::Interrupted, 0};  // look again
    if (errno == EIO || errno == ENODEV) return {HidStatus::Removed, 0};
    return {HidStatus::IoError, 0};
}

HidReadResult HidrawHandle::ReadInputReport(std::span<std::uint8_t> buffer, std::stop_token stop) {
    if (buffer.size() < 2) return {HidStatus::BadLength, 0};
    if (removed_) return {HidStatus::Removed, 0};
    std::stop_callback wake(stop, [this] { cancel_.Signal(); });
    for (;;) {
        std::array<pollfd, 2> fds = {pollfd{fd_, POLLIN, 0}, pollfd{cancel_.fd(), POLLIN, 0}};
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return {HidStatus::IoError, 0};
        }
        if (fds[1].revents != 0 && stop.stop_requested()) {
            cancel_.Drain();
            return {HidStatus::Interrupted, 0};
        }
        if (fds[0].revents & POLLIN) {
            const HidReadResult read = ReadOne(buffer);
            if (read.status == HidStatus::Interrupted) continue;
            if (read.status == HidStatus::Removed) removed_ = true;
            if (read.status != HidStatus::Ok) return read;
            // Every file of the node gets the reports of all its collections.
            if (collection_.HasReport(ReportKind::Input, usesReportIds_ ? buffer[0] : 0))
                return read;
            continue;
        }
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            removed_ = true;
            return {HidStatus::Removed, 0};
        }
    }
}

HidStatus HidrawHandle::SendFeatureReport(std::span<const std::uint8_t> report) {
    if (report.empty()) return HidStatus::BadLength;
    // The device sees the length in its SET_REPORT: it must be the one its descriptor declares.
    const std::uint8_t id = usesReportIds_ ? report[0] : 0;
    if (!usesReportIds_ && report[0] != 0) return HidStatus::BadLength;
    const std::uint16_t length = collection_.ReportLength(ReportKind::Feature, id);
    if (length == 0 || report.size() != length) return HidStatus::BadLength;
    const int result = sys_->SetFeature(fd_, report);
    if (result >= 0) return HidStatus::Ok;
    return result == -ENODEV ? HidStatus::Removed : HidStatus::IoError;
}

class HidrawRemovalWatch : public HidRemovalWatch {
  public:
    HidrawRemovalWatch(HidrawRoots roots, std::shared_ptr<HidrawSyscalls> sys, HidrawNode node,
                       std::chrono::milliseconds interval, std::function<void()> onRemoved)
        : roots_(std::move(roots)),
          sys_(std::move(sys)),
          node_(std::move(node)),
          interval_(interval),
          onRemoved_(std::move(onRemoved)) {
        ueventFd_ = sys_->OpenUeventSource();  // without it, the rescan still notices
        thread_ = std::thread([this] { Run(); });
    }
    ~HidrawRemovalWatch() override {
        wake_.Signal();
        thread_.join();
        if (ueventFd_ >= 0) sys_->Close(ueventFd_);
    }

  private:
    [[nodiscard]] bool Gone() const {
        return ReadDevNumbers(roots_, node_.name) != node_.devNumbers;
    }
    void Run();
    // Whether the uevent source says our node is gone; drops the source when it fails.
    bool UeventSaysRemoved();

    HidrawRoots roots_;
    std::shared_ptr<HidrawSyscalls> sys_;
    HidrawNode node_;
    std::chrono::milliseconds interval_;
    std::function<void()> onRemoved_;
    int ueventFd_ = -1;
    bool useUevents_ = true;
    EventFd wake_;
    std::thread thread_;
};

bool HidrawRemovalWatch::UeventSaysRemoved() {
    std::array<char, 8192> message{};
    const ssize_t n = sys_->ReceiveUevent(ueventFd_, message);
    if (n < 0 && n != -EINTR && n != -EAGAIN && n != -ENOBUFS) useUevents_ = false;
    if (n == 0 && ueventFd_ >= 0) {
        // A source that hangs up reads as empty for ever: stop listening to it.
        pollfd probe{ueventFd_, POLLIN, 0};
        if (::poll(&probe, 1, 0) > 0 && (probe.revents & POLLHUP)) useUevents_ = false;
    }
    return n > 0 && UeventRemoves({message.data(), static_cast<std::size_t>(n)}, node_.devpath);
}

void HidrawRemovalWatch::Run() {
    // The mouse may have gone between the search and the arming of the watch.
    if (Gone()) {
        onRemoved_();
        return;
    }
    for (;;) {
        const bool uevents = ueventFd_ >= 0 && useUevents_;
        std::array<pollfd, 2> fds = {pollfd{wake_.fd(), POLLIN, 0},
                                     pollfd{uevents ? ueventFd_ : -1, POLLIN, 0}};
        const int ready = ::poll(fds.data(), fds.size(), static_cast<int>(interval_.count()));
        if (ready < 0 && errno != EINTR) return;
        if (fds[0].revents != 0) return;  // disarmed
        if ((fds[1].revents & POLLIN) && UeventSaysRemoved()) break;
        if ((fds[1].revents & (POLLHUP | POLLERR)) && !(fds[1].revents & POLLIN))
            useUevents_ = false;
        if (ready == 0 && Gone()) break;  // the rescan: numbers are reused, so compare them
    }
    onRemoved_();
}

class NoWatch : public HidRemovalWatch {};

}  // namespace

std::shared_ptr<HidrawSyscalls> SystemHidrawSyscalls() {
    return std::make_shared<SystemSyscalls>();
}

bool UeventRemoves(std::string_view message, std::string_view devpath) {
    const std::string_view header = message.substr(0, message.find('\0'));
    if (!header.starts_with("remove@")) return false;
    const std::string_view removed = header.substr(7);
    if (removed.empty() || !devpath.starts_with(removed)) return false;
    return devpath.size() == removed.size() || devpath[removed.size()] == '/';
}

HidrawBackend::HidrawBackend(HidrawRoots roots, std::shared_ptr<HidrawSyscalls> sys,
                             std::chrono::milliseconds rescanInterval)
    : roots_(std::move(roots)), sys_(std::move(sys)), rescanInterval_(rescanInterval) {}

std::vector<HidInterfaceInfo> HidrawBackend::ListInterfaces() {
    std::vector<HidInterfaceInfo> list;
    for (const HidrawNode& node : EnumerateHidraw(roots_)) {
        const auto& collections = node.descriptor.collections;
        for (std::size_t i = 0; i < collections.size(); ++i) {
            list.push_back({node.vendorId, node.productId, collections[i].usagePage,
                            collections[i].usage, collections[i].Length(ReportKind::Input),
                            collections[i].Length(ReportKind::Feature),
                            node.devNode.string() + "#" + std::to_string(i)});
        }
    }
    return list;
}

HidOpenResult HidrawBackend::Open(const std::string& path, HidOpenMode mode) {
    const auto split = SplitPath(roots_, path);
    if (!split) return {HidStatus::NotFound, nullptr};
    const auto node = ReadHidrawNode(roots_, split->nodeName);
    if (!node || split->index >= node->descriptor.collections.size()) {
        return {HidStatus::NotFound, nullptr};
    }
    const int flags = (mode == HidOpenMode::Read ? O_RDONLY | O_NONBLOCK : O_WRONLY) | O_CLOEXEC;
    const int fd = sys_->Open(node->devNode.string(), flags);
    if (fd < 0) return {OpenError(-fd), nullptr};
    return {HidStatus::Ok,
            std::make_unique<HidrawHandle>(sys_, fd, node->descriptor.collections[split->index],
                                           node->descriptor.usesReportIds)};
}

std::unique_ptr<HidRemovalWatch> HidrawBackend::WatchRemoval(const std::string& path,
                                                             std::function<void()> onRemoved) {
    const auto split = SplitPath(roots_, path);
    std::optional<HidrawNode> node;
    if (split) node = ReadHidrawNode(roots_, split->nodeName);
    if (!node) {
        onRemoved();  // already gone
        return std::make_unique<NoWatch>();
    }
    return std::make_unique<HidrawRemovalWatch>(roots_, sys_, std::move(*node), rescanInterval_,
                                                std::move(onRemoved));
}

}  // namespace zep
