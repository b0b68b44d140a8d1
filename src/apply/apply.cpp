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
    std::string ResultText() const {
        if (names_.empty()) return kSuccess;
        std::string list;
        for (const char* w : names_) list += (list.empty() ? "" : "、") + std::string(w);
        if (allDenied_) return "管理者権限がないため" + list + "を書き込めませんでした。";
        return list + "を書き込めませんでした。";
    }

private:
    std::vector<const char*> names_;
    bool allDenied_ = true;
};

constexpr const char* kInfoFile = places::kInfoFile;
constexpr const char* kRegistration = "登録情報";
constexpr const char* kProcessorName = "プロセッサ名";
constexpr const char* kLogo = "ロゴ画像";

}  // namespace

std::string WriteSettings(Form1& main, LogoDepth depth) {
    Failures failed;
    // Without the system folder the files would land in the root of the current drive.
    const std::string folder = main.Labe.AsText();
    const bool haveFolder = !folder.empty();
    const std::string info = folder + "\\" + places::kInfoFile;

    // 1-3. The information file is built beside its place, emptied first so that no key of the
    // old one survives, and put in place only when every write went in: a failure half-way
    // leaves the installed file as it was.
    unsigned long infoError = 0;
    const std::string fresh = haveFolder ? platform::FileBeside(info, &infoError) : std::string();
    bool infoWritten = !fresh.empty();
    if (infoWritten && !platform::CreateEmptyFile(fresh)) {
        infoWritten = false;
        infoError = GetLastError();
    }

    // 2, 3. Values in double quotes, so that leading blanks survive a profile reader.
    auto write = [&](const char* section, const std::string& key, const std::string& value) {
        if (fresh.empty()) return;
        if (!platform::ProfileWrite(fresh, section, key, platform::ProfileQuoted(value)) && infoWritten) {
            infoWritten = false;
            infoError = GetLastError();
        }
    };
    write("General", "Manufacturer", main.Text4(0).Text());
    write("General", "Model", main.Text4(1).Text());
    std::vector<std::string> lines = ReadSupportLines(main);
    if (lines.empty()) lines.emplace_back();  // an editor always has one line, even empty
    for (size_t n = 0; n < lines.size(); ++n)
        write("Support Information", "Line" + std::to_string(n + 1), lines[n]);
    if (!fresh.empty()) {
        platform::ProfileFlush(fresh);
        if (infoWritten) infoWritten = platform::PutInPlace(fresh, info, &infoError);
        else platform::DiscardBeside(fresh);
    }
    if (!infoWritten) failed.Add(kInfoFile, haveFolder && infoError == ERROR_ACCESS_DENIED);

    // 4. The registration values, one pass per value; empty texts are stored as empty strings.
    const std::string versionKey = places::VersionKey(main.SYT.AsText());
    // A value start-up could not read shows as empty; unless the user typed into its field, it
    // is left as it is rather than replaced by that empty text.
    for (int i = 0; i < 3; ++i) {
        if (main.KeepsUnreadValue(main.Text1(i))) continue;
        long rc = platform::RegWriteStringStatus(Root::LocalMachine, versionKey, places::kRegistrationValues[i],
                                                 main.Text1(i).Text());
        if (rc != ERROR_SUCCESS) failed.Add(kRegistration, rc == ERROR_ACCESS_DENIED);
    }

    // 5. The processor name, NT family only (it lasts until the next start).
    if (main.OS.AsText() == "NT" && !main.KeepsUnreadValue(main.C("Text6"))) {
        long rc = platform::RegWriteStringStatus(Root::LocalMachine, places::kProcessorKey, places::kProcessorName,
                                                 main.C("Text6").Text());
        if (rc != ERROR_SUCCESS) failed.Add(kProcessorName, rc == ERROR_ACCESS_DENIED);
    }

    // 6, 7. The logo: whatever the frame shows now.
    const std::string logoPath = folder + "\\" + places::kLogoFile;
    bool logoWritten = false;
    unsigned long logoError = 0;
    if (haveFolder)
        logoWritten = depth == LogoDepth::Colours256 ? logo::SaveLogo256(main, logoPath, &logoError)
                                                     : logo::SaveLogoFullColour(main, logoPath, &logoError);
    if (!logoWritten) failed.Add(kLogo, logoError == ERROR_ACCESS_DENIED);

    return failed.ResultText();
}

void OpenFinalConfirmation(Form1& main) {
    Form5& f = main.Window<Form5>();
    if (f.Loaded()) f.Unload();  // every opening starts from the table
    f.ShowModal();
}

}  // namespace kaza::apply
