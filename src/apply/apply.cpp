#include "apply/apply.h"

#include <windows.h>

#include <vector>

#include "app/form1.h"
#include "app/places.h"
#include "apply/form5.h"
#include "logo/logo.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/replace.h"
#include "windows/form2.h"

namespace kaza::apply {
namespace {

using platform::Root;

constexpr const char* kSuccess = "設定が反映されました。（Windowsの旗をクリックしてみてください。)";

// What could not be written, for the result text.
class Failures {
public:
    void Add(const char* what, bool accessDenied) {
        for (const char* w : names_)
            if (std::string(w) == what) {
                allDenied_ = allDenied_ && accessDenied;
                return;
            }
        names_.push_back(what);
        allDenied_ = allDenied_ && accessDenied;
    }
    // A value the system would not take as given; told after what could not be written.
    void Refuse(const std::string& why) {
        refused_ = why + "（電話番号、サポート時間、サポート Web サイトは書き込んでいません。）";
    }
    std::string ResultText() const {
        if (names_.empty()) return refused_.empty() ? kSuccess : refused_;
        if (!refused_.empty()) return Listed() + refused_;
        return Listed();
    }

private:
    std::string Listed() const {
        std::string list;
        for (const char* w : names_) list += (list.empty() ? "" : "、") + std::string(w);
        if (allDenied_) return "管理者権限がないため" + list + "を書き込めませんでした。";
        return list + "を書き込めませんでした。";
    }

    std::vector<const char*> names_;
    bool allDenied_ = true;
    std::string refused_;
};

constexpr const char* kInfoFile = places::kInfoFile;
constexpr const char* kRegistration = "登録情報";
constexpr const char* kProcessorName = "プロセッサ名";
constexpr const char* kLogo = "ロゴ画像";
constexpr const char* kOemInformation = "メーカー情報（OEMInformation）";
constexpr const char* kSmallLogo = "Vista以降のロゴ画像";

// Vista and later: the maker's details in the OEMInformation key, and the logo it names. An empty
// support detail removes its value, so that the page shows no empty line; details the system
// would not take are not written, and the result text says why.
void WriteOemInformation(Form1& main, Failures& failed, std::vector<StepResult>* steps) {
    auto note = [&](const std::string& what, const char* name, const platform::Outcome& done) {
        if (steps) steps->push_back({what + " " + name, done});
        if (!done) failed.Add(what == kSmallLogo ? kSmallLogo : kOemInformation, done.error() == ERROR_ACCESS_DENIED);
    };
    auto text = [&](const char* name, const std::string& value) {
        note(kOemInformation, name, platform::RegWriteString(Root::LocalMachine, places::kOemInformationKey, name, value));
    };
    text(places::kOemManufacturer, main.Text4(0).Text());
    text(places::kOemModel, main.Text4(1).Text());

    const SupportValues support = ReadSupportValues(main);
    const std::string problem = SupportValuesProblem(support);
    if (!problem.empty()) {
        failed.Refuse(problem);
        if (steps) steps->push_back({std::string(kOemInformation) + " " + problem, platform::Outcome::Failed(ERROR_INVALID_DATA)});
    } else {
        const std::pair<const char*, const std::string*> details[] = {{places::kOemSupportPhone, &support.phone},
                                                                      {places::kOemSupportHours, &support.hours},
                                                                      {places::kOemSupportUrl, &support.url}};
        for (const auto& [name, value] : details)
            if (value->empty())
                note(kOemInformation, name, platform::RegRemoveValue(Root::LocalMachine, places::kOemInformationKey, name));
            else
                text(name, *value);
    }

    // Without a logo in the frame, the logo the system shows now stays.
    const std::string folder = main.Labe.AsText();
    if (!logo::FrameHasLogo(main)) return;
    const std::string path = folder + "\\" + places::kSmallLogoFile;
    platform::Outcome written = folder.empty() ? platform::Outcome::Failed(ERROR_PATH_NOT_FOUND) : logo::SaveLogoSmall(main, path);
    note(kSmallLogo, places::kSmallLogoFile, written);
    if (written) text(places::kOemLogo, path);
}

}  // namespace

platform::Outcome WriteInfoFile(Form1& main, const std::string& info) {
    // 1-3. The information file is built beside its place, emptied first so that no key of the
    // old one survives, and put in place only when every write went in: a failure half-way
    // leaves the installed file as it was.
    platform::FreshFile beside = platform::FileBeside(info);
    const std::string& fresh = beside.path;
    // The first failure on the way is the one told.
    platform::Outcome infoWritten = beside.outcome;
    if (fresh.empty()) return infoWritten;
    infoWritten = platform::CreateEmptyFile(fresh);

    // 2, 3. Values in double quotes, so that leading blanks survive a profile reader.
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
    platform::ProfileFlush(fresh);
    if (infoWritten) infoWritten = platform::PutInPlace(fresh, info);
    else platform::DiscardBeside(fresh);
    return infoWritten;
}

std::string WriteSettings(Form1& main, LogoDepth depth, std::vector<StepResult>* steps) {
    Failures failed;
    auto record = [&](const std::string& what, const platform::Outcome& outcome) {
        if (steps) steps->push_back({what, outcome});
    };
    // Without the system folder the files would land in the root of the current drive.
    const std::string folder = main.Labe.AsText();
    const bool haveFolder = !folder.empty();
    const platform::Outcome noFolder = platform::Outcome::Failed(ERROR_PATH_NOT_FOUND);

    platform::Outcome infoWritten = haveFolder ? WriteInfoFile(main, folder + "\\" + places::kInfoFile) : noFolder;
    record(kInfoFile, infoWritten);
    if (!infoWritten) failed.Add(kInfoFile, infoWritten.error() == ERROR_ACCESS_DENIED);

    // 4. The registration values, one pass per value; empty texts are stored as empty strings.
    const std::string versionKey = places::VersionKey(main.SYT.AsText());
    // A value start-up could not read shows as empty; unless the user typed into its field, it
    // is left as it is rather than replaced by that empty text.
    for (int i = 0; i < 3; ++i) {
        if (main.KeepsUnreadValue(main.Text1(i))) continue;
        platform::Outcome written = platform::RegWriteString(Root::LocalMachine, versionKey,
                                                             places::kRegistrationValues[i], main.Text1(i).Text());
        record(std::string(kRegistration) + " " + places::kRegistrationValues[i], written);
        if (!written) failed.Add(kRegistration, written.error() == ERROR_ACCESS_DENIED);
    }

    // 5. The processor name, NT family only (it lasts until the next start).
    if (main.OS.AsText() == "NT" && !main.KeepsUnreadValue(main.C("Text6"))) {
        platform::Outcome written = platform::RegWriteString(Root::LocalMachine, places::kProcessorKey,
                                                             places::kProcessorName, main.C("Text6").Text());
        record(kProcessorName, written);
        if (!written) failed.Add(kProcessorName, written.error() == ERROR_ACCESS_DENIED);
    }

    // 6, 7. The logo: whatever the frame shows now.
    const std::string logoPath = folder + "\\" + places::kLogoFile;
    platform::Outcome logoWritten = !haveFolder                        ? noFolder
                                    : depth == LogoDepth::Colours256 ? logo::SaveLogo256(main, logoPath)
                                                                     : logo::SaveLogoFullColour(main, logoPath);
    record(std::string(kLogo) + " " + places::kLogoFile, logoWritten);
    if (!logoWritten) failed.Add(kLogo, logoWritten.error() == ERROR_ACCESS_DENIED);

    // 8. What Vista and later show.
    if (main.ReadsOemInformation()) WriteOemInformation(main, failed, steps);

    return failed.ResultText();
}

void OpenFinalConfirmation(Form1& main) {
    Form5& f = main.Window<Form5>();
    if (f.Loaded()) f.Unload();  // every opening starts from the table
    f.ShowModal();
}

}  // namespace kaza::apply
