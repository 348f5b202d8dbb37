#include "platform/system/x11_pointer_settings.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/ini/decimal.h"
#include "platform/ini/profile_file.h"

namespace zep {

namespace {

class Display {
  public:
    explicit Display(const std::string& name) : d_(XOpenDisplay(name.c_str())) {}
    ~Display() {
        if (d_) XCloseDisplay(d_);
    }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;
    ::Display* get() const { return d_; }

  private:
    ::Display* d_;
};

// Sets libinput's accel speed on every pointer device that has the property; returns how many.
int SetLibinputAccel(::Display* d, double accel) {
    int opcode = 0, event = 0, error = 0;
    if (!XQueryExtension(d, "XInputExtension", &opcode, &event, &error)) return 0;
    int major = 2, minor = 0;
    if (XIQueryVersion(d, &major, &minor) != Success) return 0;
    const Atom prop = XInternAtom(d, "libinput Accel Speed", True);
    const Atom floatAtom = XInternAtom(d, "FLOAT", True);
    if (prop == None || floatAtom == None) return 0;
    int count = 0, changed = 0;
    XIDeviceInfo* devices = XIQueryDevice(d, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use != XISlavePointer) continue;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XIGetProperty(d, devices[i].deviceid, prop, 0, 1, False, floatAtom, &type, &format,
                          &items, &after, &data) != Success) {
            continue;
        }
        if (data) XFree(data);
        if (type != floatAtom || format != 32 || items != 1) continue;
        float value = static_cast<float>(accel);
        long raw = 0;
        static_assert(sizeof(float) <= sizeof(long));
        std::memcpy(&raw, &value, sizeof value);  // 32-bit property items travel as longs
        XIChangeProperty(d, devices[i].deviceid, prop, floatAtom, 32, PropModeReplace,
                         reinterpret_cast<unsigned char*>(&raw), 1);
        ++changed;
    }
    XIFreeDeviceInfo(devices);
    XSync(d, False);
    return changed;
}

std::optional<std::string> Env(const char* name) {
    const char* v = std::getenv(name);
    if (v == nullptr || *v == '\0') return std::nullopt;
    return std::string(v);
}

}  // namespace

double LibinputAccelForSpeed(int speed) {
    return std::clamp((std::clamp(speed, 1, 20) - 10) / 10.0, -1.0, 1.0);
}

X11PointerEnvironment X11PointerEnvironment::FromProcess() {
    X11PointerEnvironment env{Env("DISPLAY"), Env("XDG_CURRENT_DESKTOP"), std::nullopt};
    if (auto config = Env("XDG_CONFIG_HOME")) {
        env.kdeGlobals = std::filesystem::path(*config) / "kdeglobals";
    } else if (auto home = Env("HOME")) {
        env.kdeGlobals = std::filesystem::path(*home) / ".config" / "kdeglobals";
    }
    return env;
}

X11PointerSettings::X11PointerSettings(X11PointerEnvironment env, ProfileFile& ini)
    : env_(std::move(env)), ini_(ini) {}

X11PointerSettings::~X11PointerSettings() = default;

SettingOutcome X11PointerSettings::SetPointerSpeed(int speed) {
    using K = SettingOutcome::Kind;
    if (!env_.display) return {K::Unsupported, "pointer speed: no X display"};
    Display display(*env_.display);
    if (!display.get())
        return {K::Unsupported, "pointer speed: cannot open display " + *env_.display};
    const double accel = LibinputAccelForSpeed(speed);
    if (const int n = SetLibinputAccel(display.get(), accel); n > 0) {
        return {K::Applied, "pointer speed " + std::to_string(speed) + ": libinput accel " +
                                std::to_string(accel) + " on " + std::to_string(n) + " device(s)"};
    }
    // Core acceleration: 10 gives the X default of 2/1; each step a fifth.
    XChangePointerControl(display.get(), True, True, std::clamp(speed, 1, 20), 5, 4);
    XSync(display.get(), False);
    return {K::Applied, "pointer speed " + std::to_string(speed) + ": core acceleration " +
                            std::to_string(std::clamp(speed, 1, 20)) + "/5"};
}

SettingOutcome X11PointerSettings::SetWheelLines(int lines) {
    using K = SettingOutcome::Kind;
    const bool kde = env_.currentDesktop && env_.currentDesktop->find("KDE") != std::string::npos;
    if (!kde || !env_.kdeGlobals) {
        return {K::Unsupported, "wheel lines: this desktop has no desktop-wide setting"};
    }
    if (!ini_.Write(*env_.kdeGlobals, u"KDE", u"WheelScrollLines", FormatDecimal(lines))) {
        return {K::Failed, "wheel lines: " + ini_.lastError()};
    }
    return {K::Applied,
            "wheel lines " + std::to_string(lines) + " in " + env_.kdeGlobals->string()};
}

}  // namespace zep
