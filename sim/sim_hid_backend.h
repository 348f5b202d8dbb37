#pragma once
// The simulated mouse behind HidBackend, with the interfaces the real mouse presents: its boot
// mouse collection, then keyboard, consumer control and the two vendor collections of its second
// interface. Selected explicitly; the product never falls back to it.

#include <map>
#include <mutex>

#include "platform/hid/hid_backend.h"
#include "sim/simulated_mouse.h"

namespace zep::sim {

inline constexpr const char* SimReadPath = "sim/mouse/1#2";
inline constexpr const char* SimWritePath = "sim/mouse/1#3";

class SimHidBackend : public HidBackend {
  public:
    explicit SimHidBackend(SimulatedMouse& mouse) : mouse_(mouse) {}

    std::vector<HidInterfaceInfo> ListInterfaces() override;
    HidOpenResult Open(const std::string& path, HidOpenMode mode) override;
    std::unique_ptr<HidRemovalWatch> WatchRemoval(const std::string& path,
                                                  std::function<void()> onRemoved) override;

    // Makes every later Open with this mode fail with status (PermissionDenied, say); Ok undoes it.
    void FailOpen(HidOpenMode mode, HidStatus status);

  private:
    SimulatedMouse& mouse_;
    std::mutex mutex_;
    std::map<HidOpenMode, HidStatus> openFailures_;
};

}  // namespace zep::sim
