#pragma once
// The simulated mouse found by discovery, with the channel and the settings an apply or the
// executor works on, all in a temporary application directory.

#include <atomic>
#include <chrono>

#include "device/channel.h"
#include "device/mouse_link.h"
#include "settings/apply.h"
#include "settings/shared_settings.h"
#include "sim/sim_hid_backend.h"
#include "sim/simulated_mouse.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace zep::test {

struct SimRig {
    explicit SimRig(bool plugged = true) {
        if (plugged) {
            present = link.Discover(backend);
            channel.AttachWriter(link.Writer());
        }
    }
    ApplyServices ApplyWith() {
        return {ini,
                dir,
                channel,
                pointer,
                [this] { return link.Writer().state == HandleState::Open; },
                [this] { ++repaints; }};
    }

    TempDir temp;
    AppDirectory dir = AppDirectoryAt(temp.path());
    ProfileFile ini;
    FakePointerSettings pointer;
    sim::SimulatedMouse mouse;
    sim::SimHidBackend backend{mouse};
    MouseLink link{[] {}};
    std::function<void(std::chrono::milliseconds)> pause = [](std::chrono::milliseconds) {};
    Channel channel{[this](std::chrono::milliseconds d) { pause(d); }};
    SharedSettings settings;
    std::atomic<int> repaints{0};
    bool present = false;
};

}  // namespace zep::test
