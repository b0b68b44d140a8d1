#include "app/firmware_names.h"

#include "app/form1.h"
#include "platform/firmware.h"
#include "platform/text.h"

namespace kaza {
namespace {

// What boards and their setup tools leave in the system information when the maker did not
// fill it in, in lower case.
constexpr const char* kPlaceholders[] = {
    "to be filled by o.e.m.", "default string", "system manufacturer", "system product name",
    "o.e.m.",                 "not applicable", "not specified",       "none",
};

std::string Trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

bool IsPlaceholderName(const std::string& name) {
    const std::string text = platform::LowerCase(Trimmed(name));
    if (text.empty()) return true;
    for (const char* p : kPlaceholders)
        if (text == p) return true;
    return false;
}

void TakeMakerFromFirmware(Form1& main) {
    const std::vector<unsigned char> table = platform::SmbiosTable();
    const platform::FirmwareNames names = platform::SmbiosSystemNames(table.data(), table.size());
    const bool maker = !IsPlaceholderName(names.manufacturer), model = !IsPlaceholderName(names.product);
    if (maker) main.Text4(0).SetText(Trimmed(names.manufacturer));
    if (model) main.Text4(1).SetText(Trimmed(names.product));
    std::string taken;
    if (maker) taken = "メーカー名「" + Trimmed(names.manufacturer) + "」";
    if (model) taken += std::string(maker ? "と" : "") + "型番「" + Trimmed(names.product) + "」";
    if (!maker && !model)
        main.SetPanel(1, "この PC のファームウェアにはメーカー名も型番も書かれていません。");
    else
        main.SetPanel(1, taken + "をこの PC から取得しました。" +
                             (maker ? "" : "ファームウェアにメーカー名は書かれていません。"));
}

void ShowFirmwareEntry(Form1& main) {
    if (platform::HasFirmwareTables()) return;
    main.Menu("SYUTOKU").SetEnabled(false);
    main.Menu("SYUTOKU").SetCaption("メーカー名と型番をこの PC から取得(XP x64・Vista 以降");
}

}  // namespace kaza
