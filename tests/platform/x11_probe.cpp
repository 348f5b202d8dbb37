#include "x11_probe.h"

#include <X11/Xlib.h>

namespace zep::test {

bool CanOpenDisplay(const std::string& display) {
    ::Display* d = XOpenDisplay(display.c_str());
    if (d) XCloseDisplay(d);
    return d != nullptr;
}

std::optional<std::pair<int, int>> CorePointerAcceleration(const std::string& display) {
    ::Display* d = XOpenDisplay(display.c_str());
    if (!d) return std::nullopt;
    int numerator = 0, denominator = 0, threshold = 0;
    XGetPointerControl(d, &numerator, &denominator, &threshold);
    XCloseDisplay(d);
    return std::pair{numerator, denominator};
}

}  // namespace zep::test
