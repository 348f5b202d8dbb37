// The commands that work on config.ini and the macro files: show, apply, macros, profile, reset.
#include <ostream>

#include "cli/cli_format.h"
#include "cli/cli_session.h"
#include "macros/macro_file.h"
#include "platform/ini/decimal.h"
#include "settings/profile_actions.h"
#include "settings/storage.h"
#include "ui/skin/layout.h"

namespace zep::cli {

namespace {

// Refuses a file that is not a complete macro file, so an import never replaces the user's
// macros with zeros from a damaged or foreign file.
std::string CheckMacroFile(const ProfileFile& ini, const std::filesystem::path& file) {
    const IniSnapshot snap = ini.Snapshot(file);
    if (!snap.exists()) return "cannot read " + file.string();
    if (!snap.HasSection(u"Macros"))
        return file.string() + " is not a macro file (no [Macros] section)";
    const std::u16string num = snap.Read(u"Macros", u"macroNum", 64);
    const bool digits = !num.empty() && num.size() <= 2 &&
                        num.find_first_not_of(u"0123456789") == std::u16string::npos;
    if (!digits || ParseDecimal(num) > kUserMacroSlots) {
        return file.string() + ": macroNum must be a number of macros, 0 ... 12";
    }
    for (int i = 0; i < ParseDecimal(num); ++i) {
        const std::u16string value = snap.Read(u"Macros", FormatDecimal(i), kMacroDigits + 2);
        if (value.size() != static_cast<std::size_t>(kMacroDigits) ||
            value.find_first_not_of(u"0123456789") != std::u16string::npos) {
            return file.string() + ": macro " + std::to_string(i + 1) + " is damaged (expected " +
                   std::to_string(kMacroDigits) + " digits)";
        }
    }
    return "";
}

}  // namespace

int CliSession::Show() {
    const auto number = ProfileNumberArg(0);
    if (!number) return kExitUsage;
    const SettingsState s = settings_.Copy();
    NameSources names{{}, s.userMacros, s.constantMacros};
    SkinLayouts layouts;
    LayoutReader reader(ini_, prompts_, [] {});
    if (LoadMainLayout(reader, dir_.SkinFolder(), /*english=*/true, layouts)) {
        names.skinNames = layouts.functionNames;
    }
    const MouseProfile p = LoadProfile(ini_, dir_.ConfigPath(), *number);
    out_ << FormatProfile(p, *number, *number == s.session.profileNumber, names);
    return kExitOk;
}

int CliSession::Apply() {
    const auto number = ProfileNumberArg(0);
    if (!number) return kExitUsage;
    if (!FindMouse()) return kExitFailed;
    settings_.With([&](SettingsState& s) { SelectProfile(s.session, ini_, dir_, *number); });
    const ApplyReport report = ApplyNow();
    std::size_t failed = 0;
    for (const auto& [command, status] : report.sends) failed += status != HidStatus::Ok;
    if (failed)
        return Fail(std::to_string(failed) + " of " + std::to_string(report.sends.size()) +
                    " reports did not reach the mouse");
    out_ << "Profile " << *number << " applied (" << report.sends.size() << " reports).\n";
    return kExitOk;
}

int CliSession::Macros() {
    const std::string& sub = o_.args[0];
    const bool english = settings_.Copy().session.english;
    if (sub == "list") {
        out_ << FormatMacroList(settings_.Copy().userMacros);
        return kExitOk;
    }
    if (sub == "show") {
        const UserMacroStore store = settings_.Copy().userMacros;
        const auto n = ParseNumber(o_.args[1], 1, kUserMacroSlots);
        if (!n || *n > store.count) {
            err_ << "zep-pelmo-cli: no macro '" << o_.args[1] << "' (there are " << store.count
                 << ")\n";
            return kExitUsage;
        }
        out_ << FormatMacro(store.slots[static_cast<std::size_t>(*n - 1)], *n);
        return kExitOk;
    }
    const std::filesystem::path file = o_.args[1];
    if (sub == "export") {
        if (!SaveMacroFile(ini_, file, settings_.Copy().userMacros)) return Fail(ini_.lastError());
        out_ << "Macros written to " << file.string() << "\n";
        return kExitOk;
    }
    if (std::string problem = CheckMacroFile(ini_, file); !problem.empty()) return Fail(problem);
    UserMacroStore store;
    (void)LoadMacroFile(ini_, file, store, prompts_);
    if (!SaveMacroFile(ini_, dir_.UserMacroFile(english), store)) return Fail(ini_.lastError());
    settings_.With([&](SettingsState& s) { s.userMacros = store; });
    out_ << "Imported " << store.count << " macros into " << dir_.UserMacroFile(english).string()
         << "\n";
    return kExitOk;
}

int CliSession::Profile() {
    const std::filesystem::path file = o_.args[1];
    if (o_.args[0] == "export") {
        if (!ExportProfileTo(settings_.Copy().session, ini_, file)) return Fail(ini_.lastError());
        out_ << "Profile " << settings_.Copy().session.profileNumber << " written to "
             << file.string() << "\n";
        return kExitOk;
    }
    if (!ini_.Snapshot(file).exists()) return Fail("cannot read " + file.string());
    ProfileSession imported = settings_.Copy().session;
    if (ImportProfileFrom(imported, ini_, file) != ImportResult::Imported) {
        return Fail(file.string() + " holds no exported profile (no [Config7] section)");
    }
    if (o_.apply && !FindMouse()) return kExitFailed;  // before anything is written
    settings_.With([&](SettingsState& s) { s.session = imported; });
    if (o_.apply) {
        (void)ApplyNow();
    } else if (!SaveProfile(ini_, dir_.ConfigPath(), imported.profileNumber, imported.profile)) {
        return Fail(ini_.lastError());
    }
    out_ << "Profile " << imported.profileNumber << " imported from " << file.string()
         << (o_.apply ? " and applied" : "") << ".\n";
    return kExitOk;
}

int CliSession::Reset() {
    const bool english = settings_.Copy().session.english;
    if (!std::filesystem::exists(dir_.DefaultMacroFile(english))) {
        return Fail("the installation is incomplete: " + dir_.DefaultMacroFile(english).string() +
                    " is missing; nothing was reset");
    }
    settings_.With(
        [&](SettingsState& s) { ResetAllProfiles(s.session, s.userMacros, ini_, dir_, prompts_); });
    out_ << "Profiles and macros reset to the factory settings.\n";
    if (!link_->Discover(*backend_) || !Diagnosis().empty()) {
        out_ << "The mouse is not available; the profile will be sent at the next apply.\n";
        return kExitOk;
    }
    channel_.AttachWriter(link_->Writer());
    (void)ApplyNow();
    out_ << "Profile " << settings_.Copy().session.profileNumber << " applied.\n";
    return kExitOk;
}

}  // namespace zep::cli
