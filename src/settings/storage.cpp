#include "settings/storage.h"

#include <vector>

#include "platform/ini/decimal.h"

namespace zep {

namespace {

constexpr std::size_t kShortBuffer = 5;
constexpr std::size_t kDpiBuffer = 10;

std::u16string Indexed(std::string_view key, int n) {
    return Ascii16(key) + FormatDecimal(n);
}

std::vector<IniEntry> ProfileEntries(const MouseProfile& p) {
    std::vector<IniEntry> e;
    e.reserve(23);
    for (int b = 0; b < kButtonCount; ++b) {
        e.push_back(
            {Indexed("K", b), FormatDecimal(p.buttonFunction[static_cast<std::size_t>(b)])});
    }
    e.push_back({u"DPI_LEVEL", FormatDecimal(p.dpiLevel)});
    e.push_back({u"WHEEL_STATUS", FormatDecimal(p.wheelMode)});
    e.push_back({u"MACRO_MODE2", FormatDecimal(p.macroMode)});
    for (int n = 0; n < kDpiLevelCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        e.push_back({Indexed("DPI_SET", n), FormatDecimal(p.dpiStep[i])});
        e.push_back({Indexed("DPI_SET_EN", n), p.dpiEnabled[i] ? u"1" : u"0"});
    }
    e.push_back({u"LED_STATUS", FormatDecimal(p.ledEffect)});
    e.push_back({u"DPI_SPEED", FormatDecimal(p.pointerSpeed)});
    e.push_back({u"WHEEL_SPEED", FormatDecimal(p.wheelSpeed)});
    e.push_back({u"USB_SPEED", FormatDecimal(p.rateStep)});
    e.push_back({u"FIRE_TIME", FormatDecimal(p.fireInterval)});
    return e;
}

}  // namespace

std::u16string ProfileSectionName(int number, bool factory, bool english) {
    if (!factory) return Indexed("Config", number);
    if (number == 5 && english) return u"CfgReset_EN5";
    return Indexed("CfgReset", number);
}

MouseProfile LoadProfile(const ProfileFile& ini, const std::filesystem::path& file, int number,
                         bool factory, bool english) {
    const IniSnapshot snap = ini.Snapshot(file);
    const std::u16string section = ProfileSectionName(number, factory, english);
    auto value = [&](std::u16string_view key, std::size_t buffer = kShortBuffer) {
        return ParseDecimal(snap.Read(section, key, buffer));
    };
    auto byte = [&](std::u16string_view key, std::size_t buffer = kShortBuffer) {
        return static_cast<std::uint8_t>(value(key, buffer) & 0xFF);
    };
    MouseProfile p;
    for (int b = 0; b < kButtonCount; ++b) {
        p.buttonFunction[static_cast<std::size_t>(b)] = value(Indexed("K", b));
    }
    p.dpiLevel = value(u"DPI_LEVEL");
    p.wheelMode = value(u"WHEEL_STATUS");
    p.macroMode = value(u"MACRO_MODE2");
    for (int n = 0; n < kDpiLevelCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        p.dpiStep[i] = byte(Indexed("DPI_SET", n), kDpiBuffer);
        p.dpiEnabled[i] = value(Indexed("DPI_SET_EN", n), kDpiBuffer) != 0 ? 1 : 0;
    }
    p.ledEffect = byte(u"LED_STATUS");
    p.pointerSpeed = byte(u"DPI_SPEED");
    p.wheelSpeed = byte(u"WHEEL_SPEED");
    p.rateStep = byte(u"USB_SPEED");
    p.fireInterval = value(u"FIRE_TIME");
    return p;
}

IniSectionEntries ProfileSectionEntries(int number, const MouseProfile& profile) {
    return {ProfileSectionName(number), ProfileEntries(profile)};
}

IniSectionEntries CurrentNumberEntries(int number) {
    return {u"Init", {{u"CurConfig", FormatDecimal(number)}}};
}

bool SaveProfile(ProfileFile& ini, const std::filesystem::path& file, int number,
                 const MouseProfile& profile) {
    return ini.WriteSections(file, {ProfileSectionEntries(number, profile)});
}

bool SaveDpiLevel(ProfileFile& ini, const std::filesystem::path& file, int number,
                  const MouseProfile& profile) {
    return ini.Write(file, ProfileSectionName(number), u"DPI_LEVEL",
                     FormatDecimal(profile.dpiLevel));
}

bool SaveRateStep(ProfileFile& ini, const std::filesystem::path& file, int number,
                  const MouseProfile& profile) {
    return ini.Write(file, ProfileSectionName(number), u"USB_SPEED",
                     FormatDecimal(profile.rateStep));
}

StartupSettings ReadStartupSettings(const ProfileFile& ini,
                                    const std::filesystem::path& configFile) {
    const IniSnapshot snap = ini.Snapshot(configFile);
    StartupSettings s;
    s.profileNumber = ParseDecimal(snap.Read(u"Init", u"CurConfig", kShortBuffer));
    s.language = static_cast<std::uint8_t>(
        ParseDecimal(snap.Read(u"Init", u"VER_SEL", kShortBuffer)) & 0xFF);
    return s;
}

bool WriteCurrentProfileNumber(ProfileFile& ini, const std::filesystem::path& configFile,
                               int number) {
    return ini.WriteSections(configFile, {CurrentNumberEntries(number)});
}

}  // namespace zep
