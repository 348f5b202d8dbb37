#include "settings/profile.h"

#include <algorithm>

namespace zep {

namespace {

using A = SoftwareAction;

constexpr FunctionInfo Mouse(std::uint8_t hw) {
    return {hw, false, false, A::None};
}
constexpr FunctionInfo Dpi(std::uint8_t hw) {
    return {hw, true, false, A::None};
}
constexpr FunctionInfo Soft(A action) {
    return {0, false, false, action};
}
constexpr FunctionInfo kNothing = Mouse(0);

constexpr std::array<FunctionInfo, kFunctionCodeCount> MakeFunctionTable() {
    std::array<FunctionInfo, kFunctionCodeCount> t{};
    for (auto& f : t) f = kNothing;
    for (std::uint8_t c = 1; c <= 5; ++c) t[c] = Mouse(c);
    t[6] = Dpi(6);
    t[11] = Mouse(7);
    t[12] = Mouse(8);
    t[13] = Mouse(9);
    t[14] = {10, false, true, A::None};
    t[15] = Dpi(11);
    t[16] = Dpi(12);
    t[17] = Mouse(13);
    for (int c = 21; c <= 30; ++c) t[c] = Soft(A::ConsumerKey);
    for (int c = 31; c <= 38; ++c) t[c] = Soft(A::ConstantMacro);
    t[39] = Soft(A::Calculator);
    t[40] = Soft(A::Terminal);
    for (int c = 41; c <= 52; ++c) t[c] = Soft(A::UserMacro);
    return t;
}
constexpr auto kFunctionTable = MakeFunctionTable();

struct DpiReadout {
    std::uint8_t code;
    int dpi;
};
constexpr std::array<DpiReadout, kDpiStepCount> kDpiReadout = {{{1, 200},
                                                                {2, 400},
                                                                {3, 600},
                                                                {4, 800},
                                                                {5, 1000},
                                                                {6, 1200},
                                                                {7, 1600},
                                                                {9, 2000},
                                                                {11, 2400},
                                                                {13, 3200},
                                                                {14, 4000},
                                                                {15, 4800}}};

constexpr std::array<int, 10> kPointerSpeed = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18};
constexpr std::array<std::uint8_t, 4> kLedCode = {0, 3, 6, 7};
constexpr std::array<std::uint16_t, 10> kConsumerUsage = {0x0223, 0x0183, 0x018A, 0x00E9, 0x00EA,
                                                          0x00B6, 0x00B5, 0x00E2, 0x00CD, 0x0192};

bool ValidButton(int b) {
    return b >= 0 && b < kButtonCount;
}
bool ValidLevel(int l) {
    return l >= 0 && l < kDpiLevelCount;
}

}  // namespace

MouseProfile DefaultProfile(std::int32_t macroMode) {
    MouseProfile p;
    p.buttonFunction = {1, 2, 3, 4, 5, 15, 16};
    p.dpiLevel = 0;
    p.dpiStep = {3, 5, 6, 8};
    p.dpiEnabled = {1, 1, 1, 1};
    p.wheelMode = 0;
    p.ledEffect = 0;
    p.pointerSpeed = 4;
    p.wheelSpeed = 2;
    p.rateStep = 2;
    p.fireInterval = 50;
    p.macroMode = macroMode;
    return p;
}

FunctionInfo LookupFunction(std::int32_t code) {
    if (code < 0 || code >= kFunctionCodeCount) return kNothing;
    return kFunctionTable[static_cast<std::size_t>(code)];
}

std::uint8_t DpiCodeOfStep(std::uint8_t step) {
    return DpiStepCode[std::min<std::size_t>(step, DpiStepCode.size() - 1)];
}

int DpiOfCode(std::uint8_t code) {
    const auto it = std::find_if(kDpiReadout.begin(), kDpiReadout.end(),
                                 [code](const DpiReadout& r) { return r.code == code; });
    return it == kDpiReadout.end() ? 200 : it->dpi;
}

int PointerSpeedOfStep(std::uint8_t step) {
    return kPointerSpeed[std::min<std::size_t>(step, kPointerSpeed.size() - 1)];
}

std::uint8_t LedEffectCode(std::uint8_t effect) {
    return kLedCode[std::min<std::size_t>(effect, kLedCode.size() - 1)];
}

std::uint16_t ConsumerUsageOf(std::int32_t code) {
    if (code < 21 || code > 30) return 0;
    return kConsumerUsage[static_cast<std::size_t>(code - 21)];
}

void SetButtonFunction(MouseProfile& p, int button, std::int32_t code) {
    if (!ValidButton(button)) return;
    p.buttonFunction[static_cast<std::size_t>(button)] = code;
    if (std::find(p.buttonFunction.begin(), p.buttonFunction.end(), 1) != p.buttonFunction.end()) {
        return;
    }
    p.buttonFunction[static_cast<std::size_t>(button < kButtonCount - 1 ? button + 1 : button)] = 1;
}

void ToggleDpiLevel(MouseProfile& p, int level) {
    if (!ValidLevel(level)) return;
    auto& enabled = p.dpiEnabled[static_cast<std::size_t>(level)];
    if (!enabled) {
        enabled = 1;
        return;
    }
    enabled = 0;
    if (p.dpiLevel != level) return;
    for (int tries = 0; tries < kDpiLevelCount; ++tries) {
        p.dpiLevel = (p.dpiLevel + 1) % kDpiLevelCount;
        if (p.dpiEnabled[static_cast<std::size_t>(p.dpiLevel)]) return;
    }
    p.dpiLevel = level;
    enabled = 1;
}

void SelectDpiLevel(MouseProfile& p, int level) {
    if (ValidLevel(level) && p.dpiEnabled[static_cast<std::size_t>(level)]) p.dpiLevel = level;
}

void SetDpiStep(MouseProfile& p, int level, int step) {
    if (ValidLevel(level) && step >= 0 && step < kDpiStepCount) {
        p.dpiStep[static_cast<std::size_t>(level)] = static_cast<std::uint8_t>(step);
    }
}

void SetFireFromSlider(MouseProfile& p, int x, int sliderLeft, int sliderWidth) {
    if (sliderWidth <= 0) return;
    const long long value = static_cast<long long>(x - sliderLeft) * kFireIntervalMax / sliderWidth;
    p.fireInterval = static_cast<std::int32_t>(std::clamp<long long>(value, 0, kFireIntervalMax));
}

void StepFireInterval(MouseProfile& p, int direction) {
    if (direction > 0 && p.fireInterval < kFireIntervalMax) ++p.fireInterval;
    if (direction < 0 && p.fireInterval > 0) --p.fireInterval;
}

void ToggleMacroMode(MouseProfile& p) {
    p.macroMode = p.macroMode == 0 ? 1 : 0;
}

bool IsOnlyLeftClick(const MouseProfile& p, int button) {
    for (int b = 0; b < kButtonCount; ++b) {
        if (b != button && p.buttonFunction[static_cast<std::size_t>(b)] == 1) return false;
    }
    return true;
}

}  // namespace zep
