#pragma once
// HidBackend on Linux hidraw. Each top-level collection of a node is an interface of its own,
// with the path "<dev node>#<collection index>"; reads are filtered to the collection's input
// report ids, since every open file of a node gets every report of the node.

#include <sys/types.h>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/hid/hid_backend.h"
#include "platform/hid/linux_hidraw/sysfs_enumeration.h"

namespace zep {

// The system calls the backend makes on device files, so that a test can hand it sockets.
// Results are >= 0 on success and -errno on failure.
class HidrawSyscalls {
  public:
    virtual ~HidrawSyscalls() = default;
    virtual int Open(const std::string& path, int flags) = 0;
    virtual int SetFeature(int fd, std::span<const std::uint8_t> report) = 0;
    virtual void Close(int fd) = 0;
    // A socket that receives the kernel's uevents.
    virtual int OpenUeventSource() = 0;
    // One uevent message into buffer; 0 for a message to ignore (one not sent by the kernel).
    virtual ssize_t ReceiveUevent(int fd, std::span<char> buffer) = 0;
};

[[nodiscard]] std::shared_ptr<HidrawSyscalls> SystemHidrawSyscalls();

// "remove@<devpath>" of a uevent message: whether it removes the device at devpath or one of
// its ancestors (unplugging removes the USB device, its interfaces and their children).
[[nodiscard]] bool UeventRemoves(std::string_view message, std::string_view devpath);

class HidrawBackend : public HidBackend {
  public:
    explicit HidrawBackend(HidrawRoots roots = {},
                           std::shared_ptr<HidrawSyscalls> sys = SystemHidrawSyscalls(),
                           std::chrono::milliseconds rescanInterval = std::chrono::seconds(1));

    std::vector<HidInterfaceInfo> ListInterfaces() override;
    HidOpenResult Open(const std::string& path, HidOpenMode mode) override;
    std::unique_ptr<HidRemovalWatch> WatchRemoval(const std::string& path,
                                                  std::function<void()> onRemoved) override;

  private:
    HidrawRoots roots_;
    std::shared_ptr<HidrawSyscalls> sys_;
    std::chrono::milliseconds rescanInterval_;
};

}  // namespace zep
