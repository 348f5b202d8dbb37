#pragma once
// Finding the mouse's two vendor collections among the HID interfaces, holding them open, and
// noticing the mouse's removal.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "platform/hid/hid_backend.h"

namespace zep {

// Unset: the collection was not found. Invalid: found, but opening it failed (see openStatus).
enum class HandleState : std::uint8_t { Unset, Invalid, Open };

struct MouseCollection {
    HandleState state = HandleState::Unset;
    std::shared_ptr<HidHandle> handle;  // set exactly when state is Open
    HidInterfaceInfo caps;              // valid unless state is Unset
    HidStatus openStatus = HidStatus::NotFound;
};

struct DiscoveryResult {
    // Both vendor collections were found; their handles are final (Open or Invalid).
    bool mousePresent = false;
    // The last interface of the mouse that the search examined.
    std::string mouseDevicePath;
    MouseCollection read;   // usage page 0xFF00, usage 1
    MouseCollection write;  // usage page 0xFF01, usage 1
    // Every interface of the mouse the search examined: the removal of any one is the mouse's.
    std::vector<std::string> mousePaths;
};

// The search looks at no more than this many interfaces, in the backend's order.
inline constexpr std::size_t MaxInterfacesSearched = 100;

// Examines the interfaces in order and stops at the one that completes the pair. Opens the read
// collection for reading and the write collection for writing; opens nothing else.
[[nodiscard]] DiscoveryResult DiscoverMouse(HidBackend& backend);

// The state of the link to the mouse, owned by the application and shared by reference with the
// listener and the window. Discovery publishes the handles once; readers never see them change
// half-way.
class MouseLink {
  public:
    // onRemoved runs once, on a backend thread, when any examined interface of the mouse goes away.
    explicit MouseLink(std::function<void()> onRemoved);
    ~MouseLink();
    MouseLink(const MouseLink&) = delete;
    MouseLink& operator=(const MouseLink&) = delete;

    // Runs DiscoverMouse, publishes its result (waking a waiting listener) and, when the mouse is
    // present, arms a removal notice for each of its examined interfaces. Returns MousePresent.
    bool Discover(HidBackend& backend);

    [[nodiscard]] bool MousePresent() const { return present_.load(std::memory_order_acquire); }
    [[nodiscard]] std::string MouseDevicePath() const;
    [[nodiscard]] MouseCollection Reader() const;
    [[nodiscard]] MouseCollection Writer() const;

    struct PublishedReader {
        MouseCollection collection;  // state Open
        std::uint64_t generation = 0;
    };
    // Blocks until a read collection with an open handle is published with a generation above
    // afterGeneration, or stop is requested (nullopt). Generations start at 1.
    [[nodiscard]] std::optional<PublishedReader> WaitForReader(std::stop_token stop,
                                                               std::uint64_t afterGeneration);

  private:
    void OnInterfaceRemoved();

    std::function<void()> onRemoved_;
    std::atomic<bool> present_{false};
    std::atomic<bool> removalDelivered_{false};
    mutable std::mutex mutex_;
    std::condition_variable_any published_;
    DiscoveryResult result_;
    std::uint64_t generation_ = 0;
    std::vector<std::unique_ptr<HidRemovalWatch>> watches_;  // destroyed before the rest
};

}  // namespace zep
