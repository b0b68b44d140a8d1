#include "apply/installed.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "app/form1.h"
#include "app/maker.h"
#include "app/places.h"
#include "logo/logo.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/text.h"
#include "presets/store.h"
#include "windows/form2.h"

namespace kaza::apply {
namespace {

using platform::Root;

// No more support lines than a preset may hold; a file numbering more is damaged.
constexpr size_t kMostLines = 10000;

// A text value of OEMInformation as the system shows it: REG_SZ or REG_EXPAND_SZ, up to its
// first NUL. None when it is absent, of another type, unreadable, or longer than `bytes` (it
// would be cut, perhaps inside a character).
std::optional<std::string> OemText(const char* name, size_t bytes = presets::kValueBytes) {
    platform::RegValue v = platform::RegReadRaw(Root::LocalMachine, places::kOemInformationKey, name);
    if (!v.exists || (v.type != REG_SZ && v.type != REG_EXPAND_SZ)) return std::nullopt;
    std::string text = v.bytes.substr(0, v.bytes.find('\0'));
    if (text.size() >= bytes) return std::nullopt;
    return platform::FromAnsi(text);
}

// What oeminfo.ini holds, where it is a file.
struct InfoFile {
    std::optional<std::string> maker, model;
    std::vector<std::string> lines;
};

InfoFile ReadInfoFile(const std::string& path) {
    InfoFile info;
    if (platform::KindOf(path) != platform::PathKind::File) return info;
    const platform::ProfileSection general = platform::ProfileSection::Load(path, "General");
    if (general.Has("Manufacturer")) info.maker = general.Value("Manufacturer");
    if (general.Has("Model")) info.model = general.Value("Model");
    // Line1, Line2, ... up to the first number the section does not have.
    const platform::ProfileSection support = platform::ProfileSection::Load(path, "Support Information");
    for (size_t n = 1; n <= kMostLines; ++n) {
        const std::string key = "Line" + std::to_string(n);
        if (!support.Has(key)) break;
        info.lines.push_back(support.Value(key));
    }
    return info;
}

// The lines as the editor shows them: one line of the editor per line, none added at the end.
void FillLines(Form1& main, const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    FillSupportLines(main, text, std::to_string(lines.size()));
}

}  // namespace

void ReadInstalled(Form1& main) {
    const std::string folder = main.Labe.AsText();
    const InfoFile info = folder.empty() ? InfoFile() : ReadInfoFile(folder + "\\" + places::kInfoFile);
    bool found = false;
    std::string logo;

    if (!main.ReadsOemInformation()) {
        for (auto [into, value] : {std::pair{&main.Text4(0), &info.maker}, std::pair{&main.Text4(1), &info.model}})
            if (*value) {
                into->SetText(**value);
                found = true;
            }
        if (!folder.empty()) logo = folder + "\\" + places::kLogoCopyFile;
    } else {
        SupportValues support = ReadSupportValues(main);
        for (const MakerDetail& d : kMakerDetails) {
            if (d.holder == Holder::LogoFrame) continue;
            // A value may be longer than the ordinary buffer, as in a preset.
            std::optional<std::string> v = OemText(d.value, presets::ValueBytes(d.most));
            if (!v) continue;
            found = true;
            if (d.holder == Holder::MainWindow) FieldOf(main, d).SetText(*v);
            for (size_t k = 0; k < SupportDetails().size(); ++k)
                if (SupportDetails()[k] == &d) support[k] = *v;
        }
        FillSupportValues(main, support);
        if (std::optional<std::string> named = OemText(LogoDetail().value)) logo = platform::ExpandEnvironment(*named);
    }
    if (!info.lines.empty()) {
        FillLines(main, info.lines);
        found = true;
    }

    // The logo as the system shows it: at its own size, in the middle of its place.
    const bool logoThere = !logo.empty() && platform::KindOf(logo) == platform::PathKind::File;
    const bool logoShown = logoThere && logo::ShowCentred(main, logo);
    if (!found && !logoThere) {
        main.SetPanel(1, "インストールされている設定はありませんでした。");
        return;
    }
    main.SetPanel(1, std::string("インストールされている設定を読み込みました") +
                         (logoShown   ? "。"
                          : logoThere ? "（ロゴの画像は読み込めませんでした）。"
                                      : "（ロゴなし）。"));
}

}  // namespace kaza::apply
