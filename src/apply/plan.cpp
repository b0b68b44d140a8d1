#include "apply/plan.h"

#include <windows.h>

#include "app/form1.h"
#include "app/places.h"
#include "apply/apply.h"
#include "logo/logo.h"
#include "platform/files.h"
#include "windows/form2.h"

namespace kaza::apply {
namespace {

using platform::Outcome;
using platform::Root;

constexpr const char* kRegistration = "登録情報";
constexpr const char* kProcessorName = "プロセッサ名";
constexpr const char* kLogo = "ロゴ画像";
constexpr const char* kOemInformation = "メーカー情報（OEMInformation）";
constexpr const char* kSmallLogo = "Vista以降のロゴ画像";

// Vista and later: the maker's details, and the logo they name. An empty support detail removes
// its value, so that the page shows no empty line; details the system would not take are left.
void AddOemInformation(Form1& main, const Family& family, Plan& plan) {
    auto value = [&](const char* name, const std::string& text) {
        return Place::Value(kOemInformation, name, Root::LocalMachine, places::kOemInformationKey, name, text);
    };
    plan.places.push_back(value(places::kOemManufacturer, main.Text4(0).Text()));
    plan.places.push_back(value(places::kOemModel, main.Text4(1).Text()));

    const SupportValues support = ReadSupportValues(main);
    plan.refused = SupportValuesProblem(support);
    const std::pair<const char*, const std::string*> details[] = {{places::kOemSupportPhone, &support.phone},
                                                                  {places::kOemSupportHours, &support.hours},
                                                                  {places::kOemSupportUrl, &support.url}};
    for (const auto& [name, text] : details) {
        Place p = value(name, *text);
        if (!plan.refused.empty()) p.action = Action::Leave, p.refused = true;
        else if (text->empty()) p.action = Action::Remove;
        plan.places.push_back(p);
    }

    Place small = Place::File(kSmallLogo, places::kSmallLogoFile, places::kSmallLogoFile,
                              [&main](const std::string& path) { return logo::SaveLogoSmall(main, path); });
    Place named = value(places::kOemLogo, family.system + "\\" + places::kSmallLogoFile);
    named.needsPrevious = true;
    // Without a logo in the frame, the logo the system shows now stays.
    if (!logo::FrameHasLogo(main)) small.action = named.action = Action::Leave;
    plan.places.push_back(small);
    plan.places.push_back(named);
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

Place Place::Value(std::string what, std::string detail, Root root, std::string key, std::string name,
                   std::string text) {
    Place p;
    p.what = std::move(what);
    p.detail = std::move(detail);
    p.root = root;
    p.key = std::move(key);
    p.name = std::move(name);
    p.type = REG_SZ;
    p.text = std::move(text);
    return p;
}

Place Place::File(std::string what, std::string detail, const char* file, Producer produce) {
    Place p;
    p.what = std::move(what);
    p.detail = std::move(detail);
    p.file = file;
    p.produce = std::move(produce);
    return p;
}

Family FamilyOf(Form1& main) {
    return {main.Labe.AsText(), main.SYT.AsText(), main.OS.AsText() == "NT", main.ReadsOemInformation()};
}

Plan ApplyPlan(Form1& main, LogoDepth depth, const Family& family) {
    Plan plan;
    plan.system = family.system;
    // 1-3. The information file.
    plan.places.push_back(Place::File(places::kInfoFile, "", places::kInfoFile,
                                      [&main](const std::string& path) { return WriteInfoFile(main, path); }));

    // 4. The registration values; empty texts are stored as empty strings. A value start-up
    // could not read shows as empty: unless the user typed into its field, it is left as it is
    // rather than replaced by that empty text.
    const std::string versionKey = places::VersionKey(family.syt);
    for (int i = 0; i < 3; ++i) {
        const char* name = places::kRegistrationValues[i];
        Place p = Place::Value(kRegistration, name, Root::LocalMachine, versionKey, name, main.Text1(i).Text());
        if (main.KeepsUnreadValue(main.Text1(i))) p.action = Action::Leave;
        plan.places.push_back(p);
    }

    // 5. The processor name, NT family only (it lasts until the next start).
    if (family.nt) {
        ui::Control& field = main.C("Text6");
        Place p = Place::Value(kProcessorName, "", Root::LocalMachine, places::kProcessorKey, places::kProcessorName,
                               field.Text());
        if (main.KeepsUnreadValue(field)) p.action = Action::Leave;
        plan.places.push_back(p);
    }

    // 6, 7. The logo: whatever the frame shows now.
    plan.places.push_back(Place::File(kLogo, places::kLogoFile, places::kLogoFile, [&main, depth](const std::string& path) {
        return depth == LogoDepth::Colours256 ? logo::SaveLogo256(main, path) : logo::SaveLogoFullColour(main, path);
    }));

    // 8. What Vista and later show.
    if (family.oemInformation) AddOemInformation(main, family, plan);
    return plan;
}

platform::Steps WritePlan(const Plan& plan) {
    platform::Steps steps;
    bool refusalTold = false, previousWritten = false;
    for (const Place& p : plan.places) {
        if (p.refused && !refusalTold) {
            steps.push_back({p.what, plan.refused, Outcome::Failed(ERROR_INVALID_DATA)});
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

}  // namespace kaza::apply
