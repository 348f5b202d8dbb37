#pragma once
// The HID operations the device link needs, behind one interface: list the present interfaces
// (one per top-level collection), open one for reading or writing, read one input report
// (blocking, interruptible), send one feature report, and be told when an interface goes away.
// Implementations: Linux hidraw (platform/hid/linux_hidraw) and the simulated mouse (sim/).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace zep {

// One top-level collection of a HID device. Report lengths count the report-id byte, also for a
// device without report ids (the byte is then 0), so a buffer of that length holds a whole report.
struct HidInterfaceInfo {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t inputReportLength = 0;
    std::uint16_t featureReportLength = 0;
    std::string path;  // opaque to callers; unique among the present interfaces
};

enum class HidStatus : std::uint8_t {
    Ok,
    NotFound,          // no such interface (any more)
    PermissionDenied,  // present, but this user may not open it
    Removed,           // the device went away while open
    Interrupted,       // a stop request ended a blocking read
    BadLength,         // a report longer or shorter than the interface allows
    IoError,           // anything else the system reported
};

[[nodiscard]] std::string_view HidStatusName(HidStatus status);

struct HidReadResult {
    HidStatus status = HidStatus::IoError;
    std::size_t size = 0;  // bytes stored, report id first
};

enum class HidOpenMode : std::uint8_t { Read, Write };

// An open collection. Reads and sends may run on different threads at the same time; one handle is
// read by one thread only.
class HidHandle {
  public:
    virtual ~HidHandle() = default;

    // Blocks until an input report of this collection arrives and stores it (report id first,
    // truncated to buffer.size()). Returns Interrupted as soon as stop is requested, Removed once
    // the device is gone (and from then on, at once).
    [[nodiscard]] virtual HidReadResult ReadInputReport(std::span<std::uint8_t> buffer,
                                                        std::stop_token stop) = 0;

    // Sends report (byte 0 the report id) as one feature report of exactly report.size() bytes.
    [[nodiscard]] virtual HidStatus SendFeatureReport(std::span<const std::uint8_t> report) = 0;
};

struct HidOpenResult {
    HidStatus status = HidStatus::NotFound;
    std::unique_ptr<HidHandle> handle;  // set exactly when status is Ok
};

// Keeps a removal notice armed; destroying it disarms the notice and waits for a running callback.
class HidRemovalWatch {
  public:
    virtual ~HidRemovalWatch() = default;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;

    // The interfaces present now, in a stable order. Needs no permission on the devices.
    [[nodiscard]] virtual std::vector<HidInterfaceInfo> ListInterfaces() = 0;

    [[nodiscard]] virtual HidOpenResult Open(const std::string& path, HidOpenMode mode) = 0;

    // Calls onRemoved once, on a thread of the backend, when the interface at path goes away (at
    // once if it is already gone). The caller moves the notice to its own thread if it needs to.
    [[nodiscard]] virtual std::unique_ptr<HidRemovalWatch> WatchRemoval(
        const std::string& path, std::function<void()> onRemoved) = 0;
};

}  // namespace zep
