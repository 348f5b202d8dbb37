#pragma once
// A stand-in for the mouse that keeps its contract: it accepts feature reports (id 7) on its
// 0xFF01 collection and keeps the configuration they carry, reports presses of buttons with
// hardware codes 0, 6, 10, 11 and 12 as input reports (id 6) on its 0xFF00 collection, and turns
// the key, button and consumer reports into host input events that a test or a person can read.
// SimHidBackend presents it through HidBackend. Thread-safe: the host side, the physical buttons
// and the readers of the log may run on different threads.

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/hid/hid_backend.h"

namespace zep::sim {

// Report lengths of the mouse's vendor collections, report id included.
inline constexpr std::size_t SimFeatureReportLength = 9;
inline constexpr std::size_t SimInputReportLength = 9;

// The configuration the feature reports carry.
struct MouseConfig {
    std::array<std::uint8_t, 9> hardwareCodes{};  // by hardware number 1 ... 8 (0 and 7 unused)
    std::array<std::uint8_t, 4> dpiCodes{};
    std::uint8_t dpiEnableMask = 0;
    std::uint8_t dpiLevel = 0;
    std::uint8_t wheelMode = 0;
    std::uint8_t ledCode = 0;
    std::uint16_t fireInterval = 0;  // in units of 8 ms
    std::uint8_t rateStep = 0;       // the mouse's report-rate step, 0 ... 3
    bool exitNoticed = false;
};

// The configuration the mouse leaves its factory with.
[[nodiscard]] MouseConfig FactoryConfig();

// One line per report, in order: "> 07 10 01 01 00 00 00 00 00" for a feature report from the
// host, "< 06 F1 01 00 00 00 00 00 00" for an input report to it, "# ..." for anything else.
class TrafficLog {
  public:
    void Add(std::string line);
    [[nodiscard]] std::vector<std::string> Lines() const;
    // Only the report lines ("> " and "< "), for golden comparisons.
    [[nodiscard]] std::vector<std::string> Reports() const;
    // Every line from now on is also written to sink (the --simulate demo); nullptr stops that.
    void Mirror(std::ostream* sink);

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    std::ostream* sink_ = nullptr;
};

[[nodiscard]] std::string HexLine(char direction, std::span<const std::uint8_t> bytes);

// The readable name of a keyboard usage id: "A", "1", "Return", or "0x3A".
[[nodiscard]] std::string KeyName(std::uint8_t usage);

class SimulatedMouse {
  public:
    SimulatedMouse();
    ~SimulatedMouse();
    SimulatedMouse(const SimulatedMouse&) = delete;
    SimulatedMouse& operator=(const SimulatedMouse&) = delete;

    // --- host side (used by SimHidBackend) ---
    // A feature report must be exactly SimFeatureReportLength bytes with id 7; others are
    // rejected with BadLength and logged as "#".
    HidStatus ReceiveFeature(std::span<const std::uint8_t> report);

    class InputQueue;
    // A reader of one collection. Every open reader of the vendor input collection gets every
    // input report; readers of the other collections get none. Unplugging ends every read.
    [[nodiscard]] std::shared_ptr<InputQueue> OpenReader(bool vendorCollection);
    // Calls onRemoved once when the mouse is unplugged (at once if it already is). The returned
    // token disarms it on destruction, waiting for a running call.
    [[nodiscard]] std::shared_ptr<void> OnUnplug(std::function<void()> onRemoved);

    // --- the physical side ---
    // Presses or releases the button with this hardware number (1 ... 6, 8). False for another
    // number, a button already in that state, or an unplugged mouse.
    bool Press(std::uint8_t hardwareNumber);
    bool Release(std::uint8_t hardwareNumber);
    void Unplug();
    [[nodiscard]] bool Plugged() const;

    // --- observation ---
    [[nodiscard]] MouseConfig Config() const;
    // Host input events in order: "key A down", "left button up", "consumer 0x00E9", ...
    [[nodiscard]] std::vector<std::string> HostEvents() const;
    [[nodiscard]] TrafficLog& Log() { return log_; }

  private:
    struct RemovalEntry;
    void ApplyCommand(std::span<const std::uint8_t> report);
    void KeyReport(std::span<const std::uint8_t> report);
    void ButtonReport(std::uint8_t mask);
    void HostEvent(std::string event);
    void SendInput(std::uint8_t code, std::uint8_t level);
    std::uint8_t NextDpiLevel(std::uint8_t hardwareCode) const;
    void Note(std::string text) { log_.Add("# " + std::move(text)); }

    mutable std::mutex mutex_;
    MouseConfig config_;
    bool plugged_ = true;
    std::array<bool, 9> pressed_{};
    std::array<std::uint8_t, 6> hostKeys_{};
    std::uint8_t hostButtons_ = 0xFF;  // active-low, as the button report carries it
    std::vector<std::string> hostEvents_;
    std::vector<std::weak_ptr<InputQueue>> readers_;
    std::vector<std::weak_ptr<RemovalEntry>> removalWatches_;
    TrafficLog log_;
};

// The input side of one open reader: reports wait here until read.
class SimulatedMouse::InputQueue {
  public:
    explicit InputQueue(bool vendorCollection) : vendor(vendorCollection) {}
    HidReadResult Read(std::span<std::uint8_t> buffer, std::stop_token stop);
    void Push(const std::array<std::uint8_t, SimInputReportLength>& report);
    void Close();
    const bool vendor;

  private:
    std::mutex mutex_;
    std::condition_variable_any ready_;
    std::deque<std::array<std::uint8_t, SimInputReportLength>> reports_;
    bool closed_ = false;
};

}  // namespace zep::sim
