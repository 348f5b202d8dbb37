#include "device/mouse_link.h"

#include <algorithm>
#include <utility>

#include "device/mouse_contract.h"

namespace zep {
namespace {

bool IsMouse(const HidInterfaceInfo& info) {
    return info.vendorId == MouseVendorId && info.productId == MouseProductId;
}

MouseCollection OpenCollection(HidBackend& backend, const HidInterfaceInfo& info,
                               HidOpenMode mode) {
    MouseCollection collection;
    collection.caps = info;
    HidOpenResult opened = backend.Open(info.path, mode);
    collection.openStatus = opened.status;
    if (opened.status == HidStatus::Ok && opened.handle) {
        collection.state = HandleState::Open;
        collection.handle = std::move(opened.handle);
    } else {
        collection.state = HandleState::Invalid;
        if (opened.status == HidStatus::Ok) collection.openStatus = HidStatus::IoError;
    }
    return collection;
}

}  // namespace

DiscoveryResult DiscoverMouse(HidBackend& backend) {
    DiscoveryResult result;
    const std::vector<HidInterfaceInfo> interfaces = backend.ListInterfaces();
    const std::size_t count = std::min(interfaces.size(), MaxInterfacesSearched);
    for (std::size_t i = 0; i < count; ++i) {
        const HidInterfaceInfo& info = interfaces[i];
        if (!IsMouse(info)) continue;
        result.mouseDevicePath = info.path;
        result.mousePaths.push_back(info.path);
        // A second collection with the same usage (never seen on the mouse) does not replace
        // the first one's handle: the first found stays, as the pair is complete on it.
        if (info.usagePage == ReadUsagePage && info.usage == ReadUsage &&
            result.read.state == HandleState::Unset) {
            result.read = OpenCollection(backend, info, HidOpenMode::Read);
        }
        if (info.usagePage == WriteUsagePage && info.usage == WriteUsage &&
            result.write.state == HandleState::Unset) {
            result.write = OpenCollection(backend, info, HidOpenMode::Write);
        }
        if (result.read.state != HandleState::Unset && result.write.state != HandleState::Unset) {
            result.mousePresent = true;
            break;
        }
    }
    return result;
}

MouseLink::MouseLink(std::function<void()> onRemoved) : onRemoved_(std::move(onRemoved)) {}

MouseLink::~MouseLink() {
    // Disarm the notices first: their callbacks use this object.
    std::vector<std::unique_ptr<HidRemovalWatch>> watches;
    {
        std::lock_guard lock(mutex_);
        watches.swap(watches_);
    }
    watches.clear();
}

bool MouseLink::Discover(HidBackend& backend) {
    DiscoveryResult found = DiscoverMouse(backend);
    const bool present = found.mousePresent;
    const std::vector<std::string> paths = found.mousePaths;
    {
        std::lock_guard lock(mutex_);
        result_ = std::move(found);
        ++generation_;
        present_.store(present, std::memory_order_release);
    }
    published_.notify_all();
    if (!present) return false;
    // Armed after publishing: a removal that comes before the notices are armed is still seen,
    // since a notice fires at once for an interface that is already gone.
    std::vector<std::unique_ptr<HidRemovalWatch>> watches;
    for (const std::string& path : paths) {
        watches.push_back(backend.WatchRemoval(path, [this] { OnInterfaceRemoved(); }));
    }
    std::lock_guard lock(mutex_);
    for (auto& watch : watches) watches_.push_back(std::move(watch));
    return true;
}

void MouseLink::OnInterfaceRemoved() {
    // Every collection disappears with the mouse; the owner hears of it once.
    present_.store(false, std::memory_order_release);
    if (removalDelivered_.exchange(true, std::memory_order_acq_rel)) return;
    if (onRemoved_) onRemoved_();
}

std::string MouseLink::MouseDevicePath() const {
    std::lock_guard lock(mutex_);
    return result_.mouseDevicePath;
}

MouseCollection MouseLink::Reader() const {
    std::lock_guard lock(mutex_);
    return result_.read;
}

MouseCollection MouseLink::Writer() const {
    std::lock_guard lock(mutex_);
    return result_.write;
}

std::optional<MouseLink::PublishedReader> MouseLink::WaitForReader(std::stop_token stop,
                                                                   std::uint64_t afterGeneration) {
    std::unique_lock lock(mutex_);
    const bool ready = published_.wait(lock, stop, [&] {
        return generation_ > afterGeneration && result_.read.state == HandleState::Open;
    });
    if (!ready) return std::nullopt;
    return PublishedReader{result_.read, generation_};
}

}  // namespace zep
