#include "sim/simulated_mouse.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "device/mouse_contract.h"

namespace zep::sim {
namespace {

constexpr std::array<const char*, 3> ButtonNames = {"left", "right", "middle"};

std::string Hex2(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

bool IsButton(std::uint8_t hardwareNumber) {
    return std::find(ButtonHardwareIndex.begin(), ButtonHardwareIndex.end(), hardwareNumber) !=
           ButtonHardwareIndex.end();
}

}  // namespace

MouseConfig FactoryConfig() {
    MouseConfig config;
    // What the default profile applies: buttons 1 ... 5 their own functions, hardware 8 and 6
    // the DPI up and down functions; levels at 800, 1200, 1600 and 2400 DPI, all enabled.
    config.hardwareCodes = {0, 1, 2, 3, 4, 5, HwCodeDpiDown, 0, HwCodeDpiUp};
    config.dpiCodes = {4, 6, 7, 11};
    config.dpiEnableMask = 0x0F;
    config.fireInterval = 6;
    config.rateStep = 2;
    return config;
}

void TrafficLog::Add(std::string line) {
    std::lock_guard lock(mutex_);
    if (sink_) *sink_ << line << '\n' << std::flush;
    lines_.push_back(std::move(line));
}

std::vector<std::string> TrafficLog::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

std::vector<std::string> TrafficLog::Reports() const {
    std::vector<std::string> reports;
    for (auto& line : Lines()) {
        if (line.starts_with("> ") || line.starts_with("< ")) reports.push_back(line);
    }
    return reports;
}

void TrafficLog::Mirror(std::ostream* sink) {
    std::lock_guard lock(mutex_);
    sink_ = sink;
}

std::string HexLine(char direction, std::span<const std::uint8_t> bytes) {
    std::string line(1, direction);
    for (std::uint8_t byte : bytes) line += " " + Hex2(byte, 2);
    return line;
}

std::string KeyName(std::uint8_t usage) {
    static constexpr std::array<const char*, 17> Named = {
        "Return", "Escape", "Backspace", "Tab", "Space", "-", "=", "[", "]",
        "\\",     "#",      ";",         "'",   "`",     ",", ".", "/"};
    if (usage >= 0x04 && usage <= 0x1D) return std::string(1, static_cast<char>('A' + usage - 4));
    if (usage >= 0x1E && usage <= 0x26)
        return std::string(1, static_cast<char>('1' + usage - 0x1E));
    if (usage == 0x27) return "0";
    if (usage >= 0x28 && usage <= 0x38) return Named[usage - 0x28];
    if (usage >= 0x3A && usage <= 0x45) return "F" + std::to_string(usage - 0x3A + 1);
    return "0x" + Hex2(usage, 2);
}

SimulatedMouse::SimulatedMouse() : config_(FactoryConfig()) {}

// Defined here, where RemovalEntry is complete.
struct SimulatedMouse::RemovalEntry {
    std::mutex mutex;  // held while the callback runs, so disarming waits for it
    std::function<void()> callback;
    bool fired = false;
};

SimulatedMouse::~SimulatedMouse() = default;

HidStatus SimulatedMouse::ReceiveFeature(std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (!plugged_) return HidStatus::Removed;
    if (report.size() != SimFeatureReportLength || report[0] != FeatureReportId) {
        Note("rejected feature report of " + std::to_string(report.size()) +
             " bytes: " + HexLine('!', report).substr(2));
        return HidStatus::BadLength;
    }
    log_.Add(HexLine('>', report));
    ApplyCommand(report);
    return HidStatus::Ok;
}

void SimulatedMouse::ApplyCommand(std::span<const std::uint8_t> r) {
    switch (r[1]) {
        case CmdButtonFunction:
            if (IsButton(r[2]))
                config_.hardwareCodes[r[2]] = r[3];
            else
                Note("no button with hardware number " + std::to_string(r[2]));
            break;
        case CmdWheelMode:
            config_.wheelMode = r[2];
            break;
        case CmdDpiLevel: {
            const unsigned level = r[3] & 0x07u;
            if (r[2] < 0x40 || r[2] > 0x43 || (r[3] & 0x08u) == 0 || level > 3) {
                Note("malformed DPI command");
                break;
            }
            config_.dpiLevel = static_cast<std::uint8_t>(r[2] - 0x40);
            config_.dpiCodes[level] = static_cast<std::uint8_t>(r[3] >> 4);
            config_.dpiEnableMask = static_cast<std::uint8_t>(r[4] & 0x0F);
            break;
        }
        case CmdLedEffect:
            if (r[2] == 0x7F && r[3] >= 0x10)
                config_.ledCode = static_cast<std::uint8_t>(r[3] - 0x10);
            else
                Note("malformed LED command");
            break;
        case CmdFireInterval:
            config_.fireInterval = static_cast<std::uint16_t>((r[2] << 8) | r[3]);
            break;
        case CmdKeyState:
            KeyReport(r.subspan(2, 6));
            break;
        case CmdButtonState:
            ButtonReport(r[3]);
            break;
        case CmdConsumerKey:
            HostEvent("consumer 0x" + Hex2(static_cast<unsigned>((r[2] << 8) | r[3]), 4));
            break;
        case ExitNotice:
            config_.exitNoticed = true;
            Note("exit notice");
            break;
        default:
            Note("unknown command 0x" + Hex2(r[1], 2));
            break;
    }
}

void SimulatedMouse::KeyReport(std::span<const std::uint8_t> keys) {
    auto held = [](std::span<const std::uint8_t> set, std::uint8_t key) {
        return std::find(set.begin(), set.end(), key) != set.end();
    };
    for (std::uint8_t key : hostKeys_) {
        if (key != 0 && !held(keys, key)) HostEvent("key " + KeyName(key) + " up");
    }
    for (std::uint8_t key : keys) {
        if (key != 0 && !held(hostKeys_, key)) HostEvent("key " + KeyName(key) + " down");
    }
    std::copy(keys.begin(), keys.end(), hostKeys_.begin());
}

void SimulatedMouse::ButtonReport(std::uint8_t mask) {
    for (unsigned bit = 0; bit < ButtonNames.size(); ++bit) {
        const bool wasDown = (hostButtons_ & (1u << bit)) == 0;
        const bool isDown = (mask & (1u << bit)) == 0;
        if (wasDown != isDown) {
            HostEvent(std::string(ButtonNames[bit]) + " button " + (isDown ? "down" : "up"));
        }
    }
    hostButtons_ = mask;
}

void SimulatedMouse::HostEvent(std::string event) {
    Note("host " + event);
    hostEvents_.push_back(std::move(event));
}

std::uint8_t SimulatedMouse::NextDpiLevel(std::uint8_t hardwareCode) const {
    const auto enabled = [&](int level) { return (config_.dpiEnableMask >> level) & 1u; };
    const int current = config_.dpiLevel;
    if (hardwareCode == HwCodeDpiCycle) {
        for (int step = 1; step <= 4; ++step) {
            if (enabled((current + step) % 4))
                return static_cast<std::uint8_t>((current + step) % 4);
        }
        return config_.dpiLevel;
    }
    const int direction = hardwareCode == HwCodeDpiUp ? 1 : -1;
    for (int level = current + direction; level >= 0 && level < 4; level += direction) {
        if (enabled(level)) return static_cast<std::uint8_t>(level);
    }
    return config_.dpiLevel;
}

void SimulatedMouse::SendInput(std::uint8_t code, std::uint8_t level) {
    std::array<std::uint8_t, SimInputReportLength> report{};
    report[0] = InputReportId;
    report[1] = code;
    report[2] = level;
    log_.Add(HexLine('<', report));
    for (auto& weak : readers_) {
        if (auto reader = weak.lock(); reader && reader->vendor) reader->Push(report);
    }
}

bool SimulatedMouse::Press(std::uint8_t hardwareNumber) {
    std::lock_guard lock(mutex_);
    if (!plugged_ || !IsButton(hardwareNumber) || pressed_[hardwareNumber]) return false;
    pressed_[hardwareNumber] = true;
    const std::uint8_t code = config_.hardwareCodes[hardwareNumber];
    const auto event = static_cast<std::uint8_t>(ButtonEventBase + hardwareNumber);
    if (!MouseReportsPress(code)) {
        Note("button " + std::to_string(hardwareNumber) + " down: mouse function 0x" +
             Hex2(code, 2));
        if (code >= 1 && code <= 3) HostEvent(std::string(ButtonNames[code - 1]) + " button down");
        return true;
    }
    std::uint8_t level = 1;  // any value but the release marker
    if (code == HwCodeRateStep) {
        config_.rateStep = static_cast<std::uint8_t>((config_.rateStep + 1) % 4);
        level = config_.rateStep;
    } else if (code != HwCodeReported) {
        config_.dpiLevel = NextDpiLevel(code);
        level = config_.dpiLevel;
    }
    SendInput(event, level);
    return true;
}

bool SimulatedMouse::Release(std::uint8_t hardwareNumber) {
    std::lock_guard lock(mutex_);
    if (!plugged_ || !IsButton(hardwareNumber) || !pressed_[hardwareNumber]) return false;
    pressed_[hardwareNumber] = false;
    const std::uint8_t code = config_.hardwareCodes[hardwareNumber];
    if (!MouseReportsPress(code)) {
        Note("button " + std::to_string(hardwareNumber) + " up: mouse function 0x" + Hex2(code, 2));
        if (code >= 1 && code <= 3) HostEvent(std::string(ButtonNames[code - 1]) + " button up");
        return true;
    }
    SendInput(static_cast<std::uint8_t>(ButtonEventBase + hardwareNumber), ReleaseLevel);
    return true;
}

std::shared_ptr<SimulatedMouse::InputQueue> SimulatedMouse::OpenReader(bool vendorCollection) {
    auto reader = std::make_shared<InputQueue>(vendorCollection);
    std::lock_guard lock(mutex_);
    if (!plugged_) reader->Close();
    std::erase_if(readers_, [](auto& weak) { return weak.expired(); });
    readers_.push_back(reader);
    return reader;
}

std::shared_ptr<void> SimulatedMouse::OnUnplug(std::function<void()> onRemoved) {
    auto entry = std::make_shared<RemovalEntry>();
    entry->callback = std::move(onRemoved);
    bool goneAlready = false;
    {
        std::lock_guard lock(mutex_);
        goneAlready = !plugged_;
        std::erase_if(removalWatches_, [](auto& weak) { return weak.expired(); });
        if (!goneAlready) removalWatches_.push_back(entry);
    }
    if (goneAlready) {
        entry->fired = true;
        entry->callback();
    }
    // Disarming takes the entry's lock, so it waits for a callback that is running.
    return std::shared_ptr<void>(nullptr, [entry](void*) {
        std::lock_guard lock(entry->mutex);
        entry->callback = nullptr;
    });
}

void SimulatedMouse::Unplug() {
    std::vector<std::shared_ptr<RemovalEntry>> watches;
    {
        std::lock_guard lock(mutex_);
        if (!plugged_) return;
        plugged_ = false;
        Note("unplugged");
        for (auto& weak : readers_) {
            if (auto reader = weak.lock()) reader->Close();
        }
        for (auto& weak : removalWatches_) {
            if (auto watch = weak.lock()) watches.push_back(std::move(watch));
        }
        removalWatches_.clear();
    }
    // Outside the mouse's lock: a callback may look at the mouse.
    for (auto& watch : watches) {
        std::lock_guard lock(watch->mutex);
        if (!watch->fired && watch->callback) {
            watch->fired = true;
            watch->callback();
        }
    }
}

bool SimulatedMouse::Plugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

MouseConfig SimulatedMouse::Config() const {
    std::lock_guard lock(mutex_);
    return config_;
}

std::vector<std::string> SimulatedMouse::HostEvents() const {
    std::lock_guard lock(mutex_);
    return hostEvents_;
}

HidReadResult SimulatedMouse::InputQueue::Read(std::span<std::uint8_t> buffer,
                                               std::stop_token stop) {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, stop, [&] { return closed_ || !reports_.empty(); });
    if (closed_) return {HidStatus::Removed, 0};
    if (reports_.empty()) return {HidStatus::Interrupted, 0};
    const auto report = reports_.front();
    reports_.pop_front();
    const std::size_t size = std::min(buffer.size(), report.size());
    std::copy_n(report.begin(), size, buffer.begin());
    return {HidStatus::Ok, size};
}

void SimulatedMouse::InputQueue::Push(
    const std::array<std::uint8_t, SimInputReportLength>& report) {
    {
        std::lock_guard lock(mutex_);
        reports_.push_back(report);
    }
    ready_.notify_all();
}

void SimulatedMouse::InputQueue::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    ready_.notify_all();
}

}  // namespace zep::sim
