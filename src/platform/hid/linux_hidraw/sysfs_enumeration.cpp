#include "platform/hid/linux_hidraw/sysfs_enumeration.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zep {
namespace {

namespace fs = std::filesystem;

// Reads to the end: sysfs attributes report a size that is not their length.
std::optional<std::string> ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

std::optional<std::uint32_t> Hex(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// HID_ID=BBBB:VVVVVVVV:PPPPPPPP from the HID device's uevent.
bool ParseHidId(const std::string& uevent, HidrawNode& node) {
    std::istringstream lines(uevent);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("HID_ID=")) continue;
        const std::string_view id = std::string_view(line).substr(7);
        const auto first = id.find(':');
        const auto second = id.find(':', first + 1);
        if (first == id.npos || second == id.npos) return false;
        const auto vendor = Hex(id.substr(first + 1, second - first - 1));
        const auto product = Hex(id.substr(second + 1));
        if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) return false;
        node.vendorId = static_cast<std::uint16_t>(*vendor);
        node.productId = static_cast<std::uint16_t>(*product);
        return true;
    }
    return false;
}

std::optional<unsigned> NodeNumber(const std::string& name) {
    if (!name.starts_with("hidraw") || name.size() == 6) return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(name.data() + 6, name.data() + name.size(), value);
    if (ec != std::errc() || end != name.data() + name.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string ReadDevNumbers(const HidrawRoots& roots, const std::string& name) {
    return Trimmed(ReadAll(roots.sys / "class/hidraw" / name / "dev").value_or(""));
}

std::optional<HidrawNode> ReadHidrawNode(const HidrawRoots& roots, const std::string& name) {
    std::error_code ec;
    const fs::path classEntry = roots.sys / "class/hidraw" / name;
    const fs::path real = fs::canonical(classEntry, ec);
    const fs::path sysReal = fs::canonical(roots.sys, ec);
    if (ec) return std::nullopt;
    HidrawNode node;
    node.name = name;
    node.devNode = roots.dev / name;
    node.devpath = "/" + real.lexically_relative(sysReal).generic_string();
    node.devNumbers = ReadDevNumbers(roots, name);
    const auto uevent = ReadAll(classEntry / "device/uevent");
    const auto descriptor = ReadAll(classEntry / "device/report_descriptor");
    if (!uevent || !descriptor || !ParseHidId(*uevent, node)) return std::nullopt;
    const std::vector<std::uint8_t> bytes(descriptor->begin(), descriptor->end());
    DescriptorParse parsed = ParseReportDescriptor(bytes);
    if (!parsed.descriptor) return std::nullopt;
    node.descriptor = std::move(*parsed.descriptor);
    return node;
}

std::vector<HidrawNode> EnumerateHidraw(const HidrawRoots& roots) {
    std::vector<std::pair<unsigned, std::string>> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(roots.sys / "class/hidraw", ec)) {
        const std::string name = entry.path().filename().string();
        if (const auto number = NodeNumber(name)) names.emplace_back(*number, name);
    }
    std::sort(names.begin(), names.end());
    std::vector<HidrawNode> nodes;
    for (const auto& [number, name] : names) {
        if (auto node = ReadHidrawNode(roots, name)) nodes.push_back(std::move(*node));
    }
    return nodes;
}

}  // namespace zep
