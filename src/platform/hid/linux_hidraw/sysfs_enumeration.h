#pragma once
// The hidraw nodes as sysfs describes them: ids, report descriptor, device numbers. Reading sysfs
// needs no permission on the devices, so a user who may not open the mouse still sees it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/hid/linux_hidraw/report_descriptor.h"

namespace zep {

// Where sysfs and the device nodes are; tests point both into a temporary directory.
struct HidrawRoots {
    std::filesystem::path sys = "/sys";
    std::filesystem::path dev = "/dev";
};

struct HidrawNode {
    std::string name;               // "hidraw1"
    std::filesystem::path devNode;  // <dev>/hidraw1
    std::string devpath;            // the kernel's path of the node: "/devices/.../hidraw/hidraw1"
    std::string devNumbers;         // "major:minor", as the node's "dev" file holds them
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    ReportDescriptor descriptor;
};

// The nodes in the order of their numbers (hidraw2 before hidraw10). Nodes whose uevent or
// descriptor cannot be read or parsed are left out.
[[nodiscard]] std::vector<HidrawNode> EnumerateHidraw(const HidrawRoots& roots);

// The node named name, read afresh; nullopt when it is gone or unreadable.
[[nodiscard]] std::optional<HidrawNode> ReadHidrawNode(const HidrawRoots& roots,
                                                       const std::string& name);

// The "dev" numbers of a node as sysfs shows them now; empty when the node is gone.
[[nodiscard]] std::string ReadDevNumbers(const HidrawRoots& roots, const std::string& name);

}  // namespace zep
