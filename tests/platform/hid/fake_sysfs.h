#pragma once
// A sysfs tree of hidraw nodes generated in a temporary directory (never checked in: its names
// contain colons), and system calls that hand the backend sockets instead of device files.

#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/linux_hidraw/hidraw_backend.h"
#include "support/temp_dir.h"

namespace zep::test {

using Descriptor = std::vector<std::uint8_t>;

// Bytes written as in the notes: "05 01 09 02 ...".
Descriptor HexBytes(std::string_view text);

// The boot mouse interface and the keyboard / consumer / vendor interface of our test device.
Descriptor BootMouseDescriptor();
Descriptor VendorInterfaceDescriptor();

class FakeSysfs {
  public:
    FakeSysfs();
    [[nodiscard]] HidrawRoots roots() const { return {dir_ / "sys", dir_ / "dev"}; }

    // Adds hidraw<number> for a HID device on USB interface usbInterface of USB device usbPort.
    // Returns the node's devpath.
    std::string AddNode(int number, std::uint16_t vendor, std::uint16_t product,
                        const Descriptor& descriptor, int usbPort, int usbInterface);
    // Changes what the node's "dev" file says (a reused number) or removes the node entirely.
    void SetDevNumbers(int number, const std::string& numbers);
    void RemoveNode(int number);

  private:
    TempDir dir_;
    int hidSerial_ = 0;
    std::map<int, std::filesystem::path> nodeDirs_;
};

// Every Open gives the backend one end of a SOCK_SEQPACKET socketpair; the test holds the other.
class SocketSyscalls : public HidrawSyscalls {
  public:
    ~SocketSyscalls() override;
    int Open(const std::string& path, int flags) override;
    int SetFeature(int fd, std::span<const std::uint8_t> report) override;
    void Close(int fd) override;
    int OpenUeventSource() override;
    ssize_t ReceiveUevent(int fd, std::span<char> buffer) override;

    // The test's end of the last device opened at path, and of the last uevent source.
    int DevicePeer(const std::string& path);
    int UeventPeer();
    // Ends the test's side: the backend sees a hang-up.
    void HangUp(int peer);
    std::vector<std::vector<std::uint8_t>> Features();

    std::map<std::string, int> openErrors;            // path → errno
    int featureError = 0;                             // errno for every SetFeature, 0 for success
    std::vector<std::pair<std::string, int>> opened;  // path, flags

  private:
    std::mutex mutex_;
    std::map<std::string, int> devicePeers_;
    int ueventPeer_ = -1;
    std::vector<int> peers_;
    std::vector<std::vector<std::uint8_t>> features_;
};

}  // namespace zep::test
