#include "platform/hid/fake_sysfs.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <sstream>

namespace zep::test {

namespace fs = std::filesystem;

Descriptor HexBytes(std::string_view text) {
    Descriptor bytes;
    std::istringstream in{std::string(text)};
    for (std::string byte; in >> byte;)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(byte, nullptr, 16)));
    return bytes;
}

Descriptor BootMouseDescriptor() {
    return HexBytes(
        "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 05 15 00 25 01 95 05 75 01 81 02 "
        "95 01 75 03 81 01 05 01 09 30 09 31 16 01 80 26 FF 7F 75 10 95 02 81 06 "
        "09 38 15 81 25 7F 75 08 95 01 81 06 05 0C 0A 38 02 95 01 81 06 C0 C0");
}

Descriptor VendorInterfaceDescriptor() {
    return HexBytes(
        "05 01 09 06 A1 01 85 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01 "
        "05 08 19 01 29 05 95 05 75 01 91 02 95 01 75 03 91 01 "
        "05 07 19 00 2A FF 00 15 00 26 FF 00 75 08 95 06 81 00 C0 "
        "05 0C 09 01 A1 01 85 02 19 00 2A 3C 02 15 00 26 3C 02 75 10 95 01 81 00 C0 "
        "06 00 FF 09 01 A1 01 85 06 09 02 15 00 26 FF 00 75 08 95 08 81 02 C0 "
        "06 01 FF 09 01 A1 01 85 07 09 02 95 08 B1 02 C0");
}

FakeSysfs::FakeSysfs() {
    fs::create_directories(dir_ / "sys/class/hidraw");
    fs::create_directories(dir_ / "dev");
}

std::string FakeSysfs::AddNode(int number, std::uint16_t vendor, std::uint16_t product,
                               const Descriptor& descriptor, int usbPort, int usbInterface) {
    char hidName[32];
    std::snprintf(hidName, sizeof hidName, "0003:%04X:%04X.%04X", vendor, product, ++hidSerial_);
    const std::string usbDevice = "1-" + std::to_string(usbPort);
    const std::string rel = "devices/pci0000:00/0000:00:14.0/usb1/" + usbDevice + "/" + usbDevice +
                            ":1." + std::to_string(usbInterface) + "/" + hidName;
    const fs::path hidDir = dir_ / "sys" / rel;
    const std::string name = "hidraw" + std::to_string(number);
    const fs::path nodeDir = hidDir / "hidraw" / name;
    fs::create_directories(nodeDir);
    char uevent[128];
    std::snprintf(uevent, sizeof uevent,
                  "DRIVER=hid-generic\nHID_ID=0003:%08X:%08X\nHID_NAME=Test\n", vendor, product);
    WriteBytes(hidDir / "uevent", uevent);
    WriteBytes(hidDir / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
    WriteBytes(nodeDir / "dev", "243:" + std::to_string(number) + "\n");
    fs::create_directory_symlink("../..", nodeDir / "device");
    fs::create_directory_symlink("../../" + rel + "/hidraw/" + name,
                                 dir_ / "sys/class/hidraw" / name);
    nodeDirs_[number] = nodeDir;
    return "/" + rel + "/hidraw/" + name;
}

void FakeSysfs::SetDevNumbers(int number, const std::string& numbers) {
    WriteBytes(nodeDirs_.at(number) / "dev", numbers + "\n");
}

void FakeSysfs::RemoveNode(int number) {
    fs::remove(dir_ / "sys/class/hidraw" / ("hidraw" + std::to_string(number)));
    fs::remove_all(nodeDirs_.at(number));
}

SocketSyscalls::~SocketSyscalls() {
    for (int fd : peers_) ::close(fd);
}

int SocketSyscalls::Open(const std::string& path, int flags) {
    std::lock_guard lock(mutex_);
    opened.emplace_back(path, flags);
    if (auto error = openErrors.find(path); error != openErrors.end()) return -error->second;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) < 0) return -errno;
    devicePeers_[path] = ends[1];
    peers_.push_back(ends[1]);
    return ends[0];
}

int SocketSyscalls::SetFeature(int, std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    features_.emplace_back(report.begin(), report.end());
    return featureError == 0 ? static_cast<int>(report.size()) : -featureError;
}

void SocketSyscalls::Close(int fd) {
    ::close(fd);
}

int SocketSyscalls::OpenUeventSource() {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) < 0) return -errno;
    std::lock_guard lock(mutex_);
    ueventPeer_ = ends[1];
    peers_.push_back(ends[1]);
    return ends[0];
}

ssize_t SocketSyscalls::ReceiveUevent(int fd, std::span<char> buffer) {
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    return n < 0 ? -errno : n;
}

int SocketSyscalls::DevicePeer(const std::string& path) {
    std::lock_guard lock(mutex_);
    return devicePeers_.at(path);
}

int SocketSyscalls::UeventPeer() {
    std::lock_guard lock(mutex_);
    return ueventPeer_;
}

void SocketSyscalls::HangUp(int peer) {
    std::lock_guard lock(mutex_);
    std::erase(peers_, peer);
    ::close(peer);
}

std::vector<std::vector<std::uint8_t>> SocketSyscalls::Features() {
    std::lock_guard lock(mutex_);
    return features_;
}

}  // namespace zep::test
