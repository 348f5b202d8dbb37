#include "settings/apply.h"

#include "platform/ini/decimal.h"
#include "settings/storage.h"

namespace zep {

namespace {
std::uint8_t Low(std::int32_t v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}
}  // namespace

Command ButtonFunctionCommand(int button, std::uint8_t hardwareCode) {
    return {FeatureReportId, CmdButtonFunction,
            ButtonHardwareIndex.at(static_cast<std::size_t>(button)), hardwareCode};
}

Command WheelModeCommand(std::int32_t wheelMode) {
    return {FeatureReportId, CmdWheelMode, Low(wheelMode), 0};
}

Command DpiLevelCommand(int level, std::uint8_t dpiCode, std::int32_t currentLevel,
                        std::uint8_t enableMask) {
    return {FeatureReportId, CmdDpiLevel, Low(0x40 + currentLevel),
            static_cast<std::uint8_t>(dpiCode * 16 + 8 + level), enableMask};
}

Command LedEffectCommand(std::uint8_t ledEffect) {
    return {FeatureReportId, CmdLedEffect, 0x7F,
            static_cast<std::uint8_t>(0x10 + LedEffectCode(ledEffect))};
}

Command FireIntervalCommand(std::int32_t fireInterval) {
    // Units of 8 ms; a negative interval from a hand-edited file is sent as 0.
    const std::int32_t units = fireInterval > 0 ? fireInterval / 8 : 0;
    return {FeatureReportId, CmdFireInterval, Low(units >> 8), Low(units), 0, 0, 0, 0};
}

Command ConsumerKeyCommand(std::uint16_t usage) {
    return {FeatureReportId, CmdConsumerKey, static_cast<std::uint8_t>(usage >> 8),
            static_cast<std::uint8_t>(usage & 0xFF)};
}

Command ExitNoticeCommand() {
    return {FeatureReportId, ExitNotice, 0, 0};
}

std::uint8_t DpiEnableMask(const MouseProfile& p) {
    std::uint8_t mask = 0;
    for (int n = 0; n < kDpiLevelCount; ++n) {
        if (p.dpiEnabled[static_cast<std::size_t>(n)]) mask |= static_cast<std::uint8_t>(1u << n);
    }
    return mask;
}

AppliedState AppliedStateOf(const MouseProfile& p) {
    AppliedState a;
    for (int b = 0; b < kButtonCount; ++b) {
        const FunctionInfo f = LookupFunction(p.buttonFunction[static_cast<std::size_t>(b)]);
        a.reportsDpiLevel[static_cast<std::size_t>(b)] = f.reportsDpiLevel;
        a.reportsRateStep[static_cast<std::size_t>(b)] = f.reportsRateStep;
    }
    for (int n = 0; n < kDpiLevelCount; ++n) {
        a.appliedDpiCode[static_cast<std::size_t>(n)] =
            DpiCodeOfStep(p.dpiStep[static_cast<std::size_t>(n)]);
    }
    a.appliedLedMode = p.ledEffect;
    return a;
}

ApplyCommands ProfileCommands(const MouseProfile& p, const AppliedState& applied, bool writerOpen) {
    ApplyCommands commands;
    auto& out = commands.beforePointer;
    if (writerOpen) {
        for (int b = 0; b < kButtonCount; ++b) {
            out.push_back(ButtonFunctionCommand(
                b, LookupFunction(p.buttonFunction[static_cast<std::size_t>(b)]).hardwareCode));
        }
    }
    out.push_back(WheelModeCommand(p.wheelMode));
    const std::uint8_t mask = DpiEnableMask(p);
    for (int n = 0; n < kDpiLevelCount; ++n) {
        out.push_back(DpiLevelCommand(n, applied.appliedDpiCode[static_cast<std::size_t>(n)],
                                      p.dpiLevel, mask));
    }
    out.push_back(LedEffectCommand(p.ledEffect));
    commands.fireInterval = FireIntervalCommand(p.fireInterval);
    return commands;
}

ApplyReport ApplyProfile(SharedSettings& settings, ApplyServices& services) {
    ApplyReport report;
    // One consistent copy: the executor may change the DPI level or rate step meanwhile, and the
    // two stores and the reports must all carry the same profile.
    const auto [session, applied] = settings.With([](SettingsState& s) {
        s.applied = AppliedStateOf(s.session.profile);
        return std::pair{s.session, s.applied};
    });
    const MouseProfile& p = session.profile;
    const auto config = services.dir.ConfigPath();
    auto send = [&](Command c) {
        const HidStatus status = services.channel.Send(c);
        report.sends.emplace_back(std::move(c), status);
    };

    report.storedSnapshot =
        services.ini.WriteSections(config, {CurrentNumberEntries(session.profileNumber),
                                            ProfileSectionEntries(kAppliedSnapshotNumber, p)});
    ApplyCommands commands =
        ProfileCommands(p, applied, services.writerOpen && services.writerOpen());
    for (Command& c : commands.beforePointer) send(std::move(c));
    if (services.repaint) services.repaint();
    report.pointerSpeed = services.pointer.SetPointerSpeed(PointerSpeedOfStep(p.pointerSpeed));
    report.wheelLines = services.pointer.SetWheelLines(p.wheelSpeed + 1);
    send(std::move(commands.fireInterval));
    report.storedProfile = SaveProfile(services.ini, config, session.profileNumber, p);
    return report;
}

ExitReport RunExitSequence(ExitServices& services) {
    ExitReport report;
    if (services.removeTrayIcon) services.removeTrayIcon();
    if (services.writerOpen && services.writerOpen()) {
        report.exitNotice = services.channel.Send(ExitNoticeCommand());
    }
    report.pointerSpeed = services.pointer.SetPointerSpeed(kNeutralPointerSpeed);
    if (services.closeWindow) services.closeWindow();
    return report;
}

}  // namespace zep
