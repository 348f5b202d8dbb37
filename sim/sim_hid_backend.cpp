#include "sim/sim_hid_backend.h"

#include <algorithm>

#include "device/mouse_contract.h"

namespace zep::sim {
namespace {

// Report lengths as the descriptor of the real mouse gives them.
std::vector<HidInterfaceInfo> MouseInterfaces() {
    auto info = [](std::uint16_t page, std::uint16_t usage, std::uint16_t in, std::uint16_t feature,
                   const char* path) {
        return HidInterfaceInfo{MouseVendorId, MouseProductId, page, usage, in, feature, path};
    };
    return {
        info(0x0001, 0x0002, 8, 0, "sim/mouse/0#0"),
        info(0x0001, 0x0006, 9, 0, "sim/mouse/1#0"),
        info(0x000C, 0x0001, 3, 0, "sim/mouse/1#1"),
        info(ReadUsagePage, ReadUsage, SimInputReportLength, 0, SimReadPath),
        info(WriteUsagePage, WriteUsage, 0, SimFeatureReportLength, SimWritePath),
    };
}

class SimReadHandle : public HidHandle {
  public:
    explicit SimReadHandle(std::shared_ptr<SimulatedMouse::InputQueue> queue)
        : queue_(std::move(queue)) {}
    HidReadResult ReadInputReport(std::span<std::uint8_t> buffer, std::stop_token stop) override {
        return queue_->Read(buffer, std::move(stop));
    }
    HidStatus SendFeatureReport(std::span<const std::uint8_t>) override {
        return HidStatus::IoError;  // opened for reading only
    }

  private:
    std::shared_ptr<SimulatedMouse::InputQueue> queue_;
};

class SimWriteHandle : public HidHandle {
  public:
    explicit SimWriteHandle(SimulatedMouse& mouse) : mouse_(mouse) {}
    HidReadResult ReadInputReport(std::span<std::uint8_t>, std::stop_token) override {
        return {HidStatus::IoError, 0};  // opened for writing only
    }
    HidStatus SendFeatureReport(std::span<const std::uint8_t> report) override {
        return mouse_.ReceiveFeature(report);
    }

  private:
    SimulatedMouse& mouse_;
};

class SimRemovalWatch : public HidRemovalWatch {
  public:
    explicit SimRemovalWatch(std::shared_ptr<void> token) : token_(std::move(token)) {}

  private:
    std::shared_ptr<void> token_;
};

}  // namespace

std::vector<HidInterfaceInfo> SimHidBackend::ListInterfaces() {
    if (!mouse_.Plugged()) return {};
    return MouseInterfaces();
}

HidOpenResult SimHidBackend::Open(const std::string& path, HidOpenMode mode) {
    {
        std::lock_guard lock(mutex_);
        const auto failure = openFailures_.find(mode);
        if (failure != openFailures_.end() && failure->second != HidStatus::Ok) {
            return {failure->second, nullptr};
        }
    }
    const auto all = MouseInterfaces();
    const bool known = std::any_of(all.begin(), all.end(), [&](auto& i) { return i.path == path; });
    if (!known || !mouse_.Plugged()) return {HidStatus::NotFound, nullptr};
    if (mode == HidOpenMode::Write)
        return {HidStatus::Ok, std::make_unique<SimWriteHandle>(mouse_)};
    auto queue = mouse_.OpenReader(path == SimReadPath);
    return {HidStatus::Ok, std::make_unique<SimReadHandle>(std::move(queue))};
}

std::unique_ptr<HidRemovalWatch> SimHidBackend::WatchRemoval(const std::string&,
                                                             std::function<void()> onRemoved) {
    // Every interface goes with the mouse.
    return std::make_unique<SimRemovalWatch>(mouse_.OnUnplug(std::move(onRemoved)));
}

void SimHidBackend::FailOpen(HidOpenMode mode, HidStatus status) {
    std::lock_guard lock(mutex_);
    openFailures_[mode] = status;
}

}  // namespace zep::sim
