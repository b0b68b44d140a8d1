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

bool LastWasDenied() { return GetLastError() == ERROR_ACCESS_DENIED; }

}  // namespace

std::string WriteSettings(Form1& main, LogoDepth depth) {
    Failures failed;
    // Without the system folder the files would land in the root of the current drive.
    const std::string folder = main.Labe.AsText();
    const bool haveFolder = !folder.empty();
    const std::string info = folder + "\\" + places::kInfoFile;

    // 1. The information file is emptied first, so no key of the old one survives.
    if (!haveFolder || !platform::CreateEmptyFile(info)) failed.Add(kInfoFile, haveFolder && LastWasDenied());

    // 2, 3. Values in double quotes, so that leading blanks survive a profile reader.
    auto write = [&](const char* section, const std::string& key, const std::string& value) {
        if (!haveFolder) return;
        if (!platform::ProfileWrite(info, section, key, platform::ProfileQuoted(value)))
            failed.Add(kInfoFile, LastWasDenied());
    };
    write("General", "Manufacturer", main.Text4(0).Text());
    write("General", "Model", main.Text4(1).Text());
    std::vector<std::string> lines = ReadSupportLines(main);
    if (lines.empty()) lines.emplace_back();  // an editor always has one line, even empty
    for (size_t n = 0; n < lines.size(); ++n)
        write("Support Information", "Line" + std::to_string(n + 1), lines[n]);

    // 4. The registration values, one pass per value; empty texts are stored as empty strings.
    const std::string versionKey = places::VersionKey(main.SYT.AsText());
    for (int i = 0; i < 3; ++i) {
        long rc = platform::RegWriteStringStatus(Root::LocalMachine, versionKey, places::kRegistrationValues[i],
                                                 main.Text1(i).Text());
        if (rc != ERROR_SUCCESS) failed.Add(kRegistration, rc == ERROR_ACCESS_DENIED);
    }

    // 5. The processor name, NT family only (it lasts until the next start).
    if (main.OS.AsText() == "NT") {
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
