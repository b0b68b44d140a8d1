#pragma once
#include <cstddef>

#include "app/places.h"

namespace kaza {

// The page of System Properties the main window pictures, chosen by start-up from the version.
enum class Page {
    None,   // a system without a page of its own: no picture
    NineX,  // 98 and Me, and NT 4.0 and 2000 with the strip of their tabs
    Xp,     // XP, and XP x64 / Server 2003
    Vista,     // the System control panel of Vista, 7, 8 and 8.1 (6.0 to 6.3)
    TenPanel,  // the same panel in 10's look, which 10 opens up to version 2004 (build 19041)
    Ten,       // Settings' バージョン情報 of 10 from 20H2 (build 19042), which shows no logo
    Eleven,    // the same page in 11's look (build 22000 on), no logo either
};
// A set of pages.
constexpr unsigned PageBit(Page p) { return 1u << static_cast<unsigned>(p); }
constexpr bool Shows(unsigned pages, Page p) { return (pages & PageBit(p)) != 0; }
inline constexpr unsigned kPanelPages = PageBit(Page::Vista) | PageBit(Page::TenPanel);
inline constexpr unsigned kSettingsPages = PageBit(Page::Ten) | PageBit(Page::Eleven);
inline constexpr unsigned kOemInformationPages = kPanelPages | kSettingsPages;

// Where the program holds a detail before it is written.
enum class Holder {
    MainWindow,     // a field of Form1
    SupportEditor,  // a field of Form2, checked before it is written (SupportValuesProblem)
    LogoFrame,      // the small logo made from Picture1: the value names its file
};

// One of the maker's details that Vista and later read from the OEMInformation key
// (places::kOemInformationKey), REG_SZ each. Every command that writes, keeps, reads, saves or
// exports them goes through kMakerDetails, in its order (the answer file in answerOrder); a new
// value is a new row, and a field of the support editor when the editor holds it.
struct MakerDetail {
    const char* value;      // its name under OEMInformation
    const char* presetKey;  // its key in a preset's section (quoted); nullptr: not kept in presets
    Holder holder;
    const char* field;  // the holder's control
    int index;          // its index in a control array; -1 for a control of its own
    const char* label;    // as the user is told of it
    const char* element;  // of the answer file's Microsoft-Windows-Shell-Setup | OEMInformation
    int answerOrder;      // its place among those elements, as the documentation and Windows SIM give them
    bool webAddress;      // a complete http:// or https:// address
    size_t most;          // characters the system takes; 0: not checked
    unsigned pages;       // the pages that show it
    const char* pageLabel;  // the main window's label that shows it there; nullptr: its own field
    const char* pageLine;   // that label's text before the value; a web address shows it alone, as a link
    // A support app as the system opens it: a protocol name or URI (IsAppAddress, windows/form2.h).
    bool appAddress = false;
    // The row whose text the page shows in this one's place while this one is empty; nullptr: none.
    const char* standIn = nullptr;
};

// Phone and hours up to the 256 characters of the unattend documentation, the addresses up to 2,083.
// The panel's pages show phone and hours; Settings' pages of 10 and 11 in their place what Get Help
// reads: the provider (the maker while there is none) and the trade-in and recycling links.
inline constexpr MakerDetail kMakerDetails[] = {
    {"Manufacturer", "1", Holder::MainWindow, "Text4", 0, "メーカー名", "Manufacturer", 0, false, 0,
     kOemInformationPages, nullptr, nullptr},
    {"Model", "2", Holder::MainWindow, "Text4", 1, "型番", "Model", 1, false, 0, kOemInformationPages,
     nullptr, nullptr},
    {"SupportPhone", "SupportPhone", Holder::SupportEditor, "Text2", -1, "電話番号", "SupportPhone", 4,
     false, 256, kPanelPages, "Label8", "電話番号: "},
    {"SupportHours", "SupportHours", Holder::SupportEditor, "Text3", -1, "サポート時間", "SupportHours", 3,
     false, 256, kPanelPages, "Label9", "サポート時間: "},
    {"SupportURL", "SupportURL", Holder::SupportEditor, "Text4", -1, "サポート Web サイト", "SupportURL", 5,
     true, 2083, kOemInformationPages, "Label10", "Web サイト: オンライン サポート"},
    {"Logo", nullptr, Holder::LogoFrame, nullptr, -1, "ロゴ", "Logo", 2, false, 0, kPanelPages, nullptr,
     nullptr},
    {"SupportProvider", "SupportProvider", Holder::SupportEditor, "Text5", -1, "サポート提供元",
     "SupportProvider", 6, false, 256, kSettingsPages, "Label8", "サポート: ", false, "Manufacturer"},
    {"SupportAppURL", "SupportAppURL", Holder::SupportEditor, "Text6", -1, "サポート アプリ", "SupportAppURL",
     7, false, 2083, 0, nullptr, nullptr, true},
    {"TradeinURL", "TradeinURL", Holder::SupportEditor, "Text7", -1, "下取り Web サイト", "TradeinURL", 8, true,
     2083, kSettingsPages, "Label12", "下取り"},
    {"RecycleURL", "RecycleURL", Holder::SupportEditor, "Text8", -1, "リサイクル Web サイト", "RecycleURL", 9,
     true, 2083, kSettingsPages, "Label13", "リサイクル"},
};

// The row of the value that names the small logo.
constexpr const MakerDetail& LogoDetail() {
    for (const MakerDetail& d : kMakerDetails)
        if (d.holder == Holder::LogoFrame) return d;
    return kMakerDetails[0];  // not reached: the table has one
}

}  // namespace kaza
