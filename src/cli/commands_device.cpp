// The commands that need the mouse: devices, run and press.
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <ostream>
#include <thread>

#include "cli/cli_session.h"
#include "device/mouse_contract.h"
#include "sim/simulated_mouse.h"

namespace zep::cli {

namespace {

constexpr const char* kRuleAdvice =
    "the mouse is present but this user may not open it. Install the udev rule that grants it to "
    "the logged-in user:\n"
    "  sudo install -m 644 resources/70-zep-pelmo.rules /etc/udev/rules.d/\n"
    "  sudo udevadm control --reload && sudo udevadm trigger\n"
    "then unplug and replug the mouse.";

bool IsMouse(const HidInterfaceInfo& i) {
    return i.vendorId == MouseVendorId && i.productId == MouseProductId;
}

std::string Hex4(unsigned v) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04X", v & 0xFFFF);
    return buffer;
}

std::string Describe(const MouseCollection& c, const char* role) {
    if (c.state == HandleState::Open) return "";
    if (c.state == HandleState::Unset) {
        return std::string("the mouse's ") + role + " collection is missing";
    }
    if (c.openStatus == HidStatus::PermissionDenied) return kRuleAdvice;
    return std::string("the mouse's ") + role + " collection " + c.caps.path +
           " cannot be opened (" + std::string(HidStatusName(c.openStatus)) +
           "; is another program using it?)";
}

// Blocks SIGINT, SIGTERM and SIGUSR1 (the removal notice) in this thread and in every thread
// started after it, so that only the main thread's sigwait sees them.
sigset_t BlockEndSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    return set;
}

}  // namespace

std::string CliSession::Diagnosis() {
    std::vector<HidInterfaceInfo> mine;
    for (const auto& i : backend_->ListInterfaces()) {
        if (IsMouse(i)) mine.push_back(i);
    }
    if (mine.empty()) {
        return "mouse not found: no HID interface with vendor 0x18F8 and product 0x1286 is present "
               "(is the VT-K2 GAMING MOUSE plugged in?)";
    }
    for (const auto& [c, role] : {std::pair{link_->Reader(), "input (usage page 0xFF00)"},
                                  std::pair{link_->Writer(), "feature (usage page 0xFF01)"}}) {
        if (std::string d = Describe(c, role); !d.empty()) return d;
    }
    return "";
}

bool CliSession::FindMouse() {
    const bool present = link_->Discover(*backend_);
    const std::string diagnosis = Diagnosis();
    if (!present || !diagnosis.empty()) {
        (void)Fail(diagnosis.empty() ? "mouse not found" : diagnosis);
        return false;
    }
    channel_.AttachWriter(link_->Writer());
    Verbose("# mouse: " + link_->Reader().caps.path + " and " + link_->Writer().caps.path);
    return true;
}

int CliSession::Devices() {
    const bool present = link_->Discover(*backend_);
    int shown = 0;
    for (const auto& i : backend_->ListInterfaces()) {
        if (!IsMouse(i)) continue;
        out_ << i.path << "  usage page 0x" << Hex4(i.usagePage) << " usage 0x" << Hex4(i.usage)
             << "  input " << i.inputReportLength << " bytes, feature " << i.featureReportLength
             << " bytes\n";
        ++shown;
    }
    const std::string diagnosis = Diagnosis();
    if (!present || !diagnosis.empty())
        return Fail(diagnosis.empty() ? "mouse not found" : diagnosis);
    out_ << "The mouse is ready (" << shown << " interfaces).\n";
    return kExitOk;
}

int CliSession::RunHeadless() {
    const sigset_t endSignals = BlockEndSignals();
    if (!FindMouse()) return kExitFailed;
    (void)ApplyNow();
    StartWorkers();
    out_ << "Running: the mouse's software functions are carried out until it is unplugged or "
            "the process is interrupted.\n"
         << std::flush;
    int signal = 0;
    sigwait(&endSignals, &signal);
    Verbose(signal == SIGUSR1 ? "# mouse removed" : "# signal " + std::to_string(signal));
    StopWorkersAndExit();
    return kExitOk;
}

int CliSession::Press() {
    const auto button = ParseNumber(o_.args[0], 1, kButtonCount);
    if (!button) return Fail("BUTTON must be 1 ... 7, not '" + o_.args[0] + "'");
    (void)BlockEndSignals();
    if (!FindMouse()) return kExitFailed;
    (void)ApplyNow();
    StartWorkers();
    const auto index = static_cast<std::size_t>(*button - 1);
    const std::uint8_t hw = ButtonHardwareIndex[index];
    const std::int32_t code = settings_.Copy().session.profile.buttonFunction[index];
    const bool reported = MouseReportsPress(LookupFunction(code).hardwareCode);
    Verbose("# pressing button " + std::to_string(*button) + " (hardware number " +
            std::to_string(hw) + ")");
    simMouse_->Press(hw);
    std::this_thread::sleep_for(std::chrono::milliseconds(o_.holdMs));
    simMouse_->Release(hw);
    // A function the mouse reports ends with the executor idle again; others never reach it.
    const bool done = !reported || executor_->WaitUntilHandled(1, std::chrono::steady_clock::now() +
                                                                      std::chrono::minutes(2));
    StopWorkersAndExit();
    if (!done) return Fail("the button's function did not finish within two minutes");
    out_ << "Button " << *button << " pressed and released";
    const std::vector<std::string> events = simMouse_->HostEvents();
    for (std::size_t i = 0; i < events.size(); ++i) out_ << (i == 0 ? ": " : ", ") << events[i];
    out_ << "\n";
    return kExitOk;
}

}  // namespace zep::cli
