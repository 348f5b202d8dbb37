#pragma once
// The desktop's pointer speed and wheel scroll lines, in the units the profile uses: speed 1 ... 20
// with 10 neutral, wheel lines 1 ... 10. Where the desktop has no such setting the call says so
// and changes nothing.

#include <string>

namespace zep {

struct SettingOutcome {
    enum class Kind { Applied, Unsupported, Failed } kind = Kind::Unsupported;
    std::string detail;  // what was done or why not, for the verbose log
    [[nodiscard]] bool applied() const { return kind == Kind::Applied; }
};

class PointerSettings {
  public:
    virtual ~PointerSettings() = default;
    virtual SettingOutcome SetPointerSpeed(int speed) = 0;
    virtual SettingOutcome SetWheelLines(int lines) = 0;
};

// Libinput's accel speed (-1 ... 1) for a speed 1 ... 20: 10 is 0, each step a tenth.
[[nodiscard]] double LibinputAccelForSpeed(int speed);

}  // namespace zep
