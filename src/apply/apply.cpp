#include "apply/apply.h"

#include <algorithm>
#include <vector>

#include "app/form1.h"
#include "app/maker.h"
#include "app/places.h"
#include "app/rows.h"
#include "apply/form5.h"
#include "logo/logo.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/replace.h"
#include "windows/form2.h"

namespace kaza::apply {
namespace {

constexpr const char* kSuccess = "設定が反映されました。（Windowsの旗をクリックしてみてください。)";

using platform::Outcome;
using platform::Root;

constexpr const char* kRegistration = "登録情報";
constexpr const char* kProcessorName = "プロセッサ名";
constexpr const char* kLogo = "ロゴ画像";
constexpr const char* kOemInformation = "メーカー情報（OEMInformation）";
constexpr const char* kSmallLogo = "Vista以降のロゴ画像";

// Vista and later: the maker's details, and the logo they name, in the order of kMakerDetails.
// An empty support detail removes its value, so that the page shows no empty line; details the
// system would not take are left.
void AddOemInformation(Form1& main, const Family& family, Plan& plan) {
    auto value = [&](const MakerDetail& d, const std::string& text) {
        return Value(kOemInformation, d.value, Root::LocalMachine, places::kOemInformationKey, d.value, text);
    };
    plan.refused = SupportValuesProblem(ReadSupportValues(main));
    for (const MakerDetail& d : kMakerDetails) {
        switch (d.holder) {
        case Holder::MainWindow: plan.places.push_back(value(d, FieldOf(main, d).Text())); break;
        case Holder::SupportEditor: {
            Place p = value(d, FieldOf(main, d).Text());
            if (!plan.refused.empty()) p.action = Action::Leave, p.refused = true;
            else if (p.text.empty()) p.action = Action::Remove;
            plan.places.push_back(p);
            break;
        }
        case Holder::LogoFrame: {
            Place small = File(kSmallLogo, places::kSmallLogoFile, places::kSmallLogoFile,
                               [&main](const std::string& path) { return logo::SaveLogoSmall(main, path); });
            Place named = value(d, family.system + "\\" + places::kSmallLogoFile);
            named.needsPrevious = true;
            // Without a logo in the frame, the logo the system shows now stays.
            if (!logo::FrameHasLogo(main)) small.action = named.action = Action::Leave;
            plan.places.push_back(small);
            plan.places.push_back(named);
            break;
        }
        }
    }
}

Outcome WritePlace(const std::string& system, const Place& p) {
    if (p.file) {
        // Without the system folder the file would land in the root of the current drive.
        if (system.empty()) return Outcome::Failed(ERROR_PATH_NOT_FOUND);
        const std::string path = system + "\\" + p.file;
        return p.action == Action::Remove ? platform::RemoveFile(path) : p.produce(path);
    }
    if (p.action == Action::Remove) return platform::RegDeleteValueIn(p.root, p.key, p.name);
    return platform::RegWriteString(p.root, p.key, p.name, p.text);
}

}  // namespace

Plan ApplyPlan(Form1& main, LogoDepth depth) { return ApplyPlan(main, depth, main.RunningFamily()); }

Plan ApplyPlan(Form1& main, LogoDepth depth, const Family& family) {
    Plan plan;
    plan.system = family.system;
    // The information file.
    plan.places.push_back(File(places::kInfoFile, "", places::kInfoFile,
                                      [&main](const std::string& path) { return WriteInfoFile(main, path); }));

    // The registration values; empty texts are stored as empty strings. A value start-up
    // could not read shows as empty: unless the user typed into its field, it is left as it is
    // rather than replaced by that empty text.
    const std::string versionKey = places::VersionKey(family.syt);
    for (int i = 0; i < 3; ++i) {
        const char* name = places::kRegistrationValues[i];
        Place p = Value(kRegistration, name, Root::LocalMachine, versionKey, name, main.Text1(i).Text());
        if (main.KeepsUnreadValue(main.Text1(i))) p.action = Action::Leave;
        plan.places.push_back(p);
    }

    // The processor name, NT family only (it lasts until the next start).
    if (family.nt) {
        ui::Control& field = main.C("Text6");
        Place p = Value(kProcessorName, "", Root::LocalMachine, places::kProcessorKey, places::kProcessorName,
                               field.Text());
        if (main.KeepsUnreadValue(field)) p.action = Action::Leave;
        plan.places.push_back(p);
    }

    // The logo: whatever the frame shows now.
    plan.places.push_back(File(kLogo, places::kLogoFile, places::kLogoFile, [&main, depth](const std::string& path) {
        return depth == LogoDepth::Colours256 ? logo::SaveLogo256(main, path) : logo::SaveLogoFullColour(main, path);
    }));

    // What Vista and later show.
    if (family.oemInformation) AddOemInformation(main, family, plan);
    return plan;
}

Plan RemovalPlan(const Family& family) {
    Plan plan;
    plan.system = family.system;
    auto gone = [&](Place p) {
        p.action = Action::Remove;
        plan.places.push_back(p);
    };
    gone(File(places::kInfoFile, "", places::kInfoFile));
    gone(File(kLogo, places::kLogoFile, places::kLogoFile));
    if (!family.oemInformation) return plan;
    // The values first, so that Logo never names a file that is gone.
    for (const MakerDetail& d : kMakerDetails)
        gone(Value(kOemInformation, d.value, Root::LocalMachine, places::kOemInformationKey, d.value));
    gone(File(kSmallLogo, places::kSmallLogoFile, places::kSmallLogoFile));
    return plan;
}

platform::Steps WritePlan(const Plan& plan) {
    platform::Steps steps;
    bool refusalTold = false, previousWritten = false;
    for (const Place& p : plan.places) {
        if (p.refused && !refusalTold) {
            steps.push_back(platform::Step::Refusal(p.what, plan.refused));
            refusalTold = true;
        }
        if (p.action == Action::Leave || (p.needsPrevious && !previousWritten)) {
            previousWritten = false;
            continue;
        }
        steps.push_back({p.what, p.detail, WritePlace(plan.system, p)});
        previousWritten = steps.back().outcome.ok();
    }
    return steps;
}


std::string ApplyResultText(const platform::Steps& steps) {
    // A value the system would not take as given; told after what could not be written, with
    // the support details it left, all of them, as the editor names them.
    std::string refused;
    for (const platform::Step& s : steps) {
        if (!s.refusal()) continue;
        std::string left;
        for (const MakerDetail& d : kMakerDetails)
            if (d.holder == Holder::SupportEditor) left += (left.empty() ? "" : "、") + std::string(d.label);
        refused = s.refused + "（" + left + "は書き込んでいません。）";
    }
    const bool allDenied = RowsText(steps, [](const platform::Step& s) {
                               return FailedWrite(s) && s.outcome.error() != ERROR_ACCESS_DENIED;
                           }).empty();
    // Lack of rights is told as such; any other failure with its place and the system's code.
    const std::string names = RowsText(steps, FailedWrite, allDenied ? Naming::What : Naming::Failure);
    if (names.empty()) return refused.empty() ? kSuccess : refused;
    return (allDenied ? "管理者権限がないため" + names : names) + "を書き込めませんでした。" + refused;
}

std::optional<platform::Steps> ApplySettings(Form1& main, LogoDepth depth, const std::string& command, HWND owner) {
    const Plan plan = ApplyPlan(main, depth);
    if (!main.KeepBeforeWriting(owner, plan, command)) return std::nullopt;
    return WritePlan(plan);
}

platform::Outcome WriteInfoFile(Form1& main, const std::string& info) {
    // The information file is built beside its place, emptied first so that no key of the
    // old one survives, and put in place only when every write went in: a failure half-way
    // leaves the installed file as it was.
    platform::FreshFile beside = platform::FileBeside(info);
    const std::string& fresh = beside.path;
    // The first failure on the way is the one told.
    platform::Outcome infoWritten = beside.outcome;
    if (fresh.empty()) return infoWritten;
    infoWritten = platform::CreateEmptyFile(fresh);

    // Values in double quotes, so that leading blanks survive a profile reader.
    auto write = [&](const char* section, const std::string& key, const std::string& value) {
        platform::Outcome written = platform::ProfileWrite(fresh, section, key, platform::ProfileQuoted(value));
        if (infoWritten) infoWritten = written;
    };
    write("General", "Manufacturer", main.Text4(0).Text());
    write("General", "Model", main.Text4(1).Text());
    std::vector<std::string> lines = ReadSupportLines(main);
    if (lines.empty()) lines.emplace_back();  // an editor always has one line, even empty
    for (size_t n = 0; n < lines.size(); ++n)
        write("Support Information", "Line" + std::to_string(n + 1), lines[n]);
    if (infoWritten) infoWritten = platform::ProfileFlush(fresh);
    if (infoWritten) infoWritten = platform::PutInPlace(fresh, info);
    else platform::DiscardBeside(fresh);
    return infoWritten;
}

void OpenFinalConfirmation(Form1& main) {
    Form5& f = main.Window<Form5>();
    if (f.Loaded()) f.Unload();  // every opening starts from the table
    f.ShowModal();
}

}  // namespace kaza::apply
