#pragma once
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <typeindex>

#include "app/maker.h"
#include "app/places.h"
#include "app/plan.h"
#include "app/variant.h"
#include "platform/ui/form.h"

namespace kaza {

// The logo frame Picture1 in its design rectangle, in twips of the main window's client area.
struct LogoFrameRect {
    int left, top, width, height;
};
inline constexpr LogoFrameRect kLogoFrame{240, 3480, 3150, 1590};

// The program's one open-file dialog. Its file name stays between uses, whoever used it last.
struct CommonDialog {
    std::string Filter;    // "name|pattern" pairs
    std::string FileName;
    // Shows the dialog; false when the user cancelled (FileName then keeps its value).
    bool ShowOpen(HWND owner);
};

// The main window: a mock-up of the System Properties "General" page, and the settings model
// of the whole program. Other windows read and write its fields and public members.
class Form1 : public ui::Form {
public:
    Form1();
    ~Form1() override;

    // Public members; all start empty.
    Variant Labe;    // system directory
    Variant TRF;     // path of the current logo source picture
    Variant WWW;     // first free number of the preset index
    Variant SYT;     // "" or " NT": the registry path infix
    Variant AAA, BBB, CCC, DDD;  // the four page-hiding policies (kRestrictions)
    Variant STEPPP;  // processor vendor identifier
    Variant OS;      // "NT" on the NT family
    Page page = Page::None;
    // Vista and later read the maker's details from the OEMInformation key, not oeminfo.ini.
    bool ReadsOemInformation() const { return page >= Page::Vista; }
    // The running system, as start-up found it.
    Family RunningFamily() { return {Labe.AsText(), SYT.AsText(), OS.AsText() == "NT", ReadsOemInformation()}; }
    // What the commands write on `family` from this window: the apply plan and the removal plan.
    std::vector<Plan> PlansFor(const Family& family);
    // Before a plan's first write: keeps a safety copy of every place it names. When none can be
    // kept, asks over `owner` whether to go on anyway (without an owner the answer is no); false
    // means the plan must not be written.
    bool KeepBeforeWriting(HWND owner, const Plan& plan, const std::string& command);
    // Whether the system pictured shows the logo at all; the frame stays for the systems that do.
    bool PageShowsLogo() const { return page != Page::Ten && page != Page::Eleven; }

    CommonDialog CommonDialog1;

    // Named fields of the settings model.
    ui::Control& Text4(int i) { return C("Text4", i); }
    ui::Control& Text1(int i) { return C("Text1", i); }
    ui::Control& Picture1() { return C("Picture1"); }
    ui::Control& List1() { return C("List1"); }

    // The program's other windows: one instance each, created on first use.
    template <class F>
    F& Window() {
        auto& slot = windows_[std::type_index(typeid(F))];
        if (!slot) slot = std::make_unique<F>(*this);
        return static_cast<F&>(*slot);
    }
    // The window if it was ever created, else nullptr.
    template <class F>
    F* ExistingWindow() {
        auto it = windows_.find(std::type_index(typeid(F)));
        return it == windows_.end() ? nullptr : static_cast<F*>(it->second.get());
    }

    // Fields filled from a registry value that start-up found but could not read (refused, or
    // longer than its buffer), so that they show the empty text: Apply leaves such a value as it
    // is unless the user has typed into the field.
    void MarkUnreadAtStart(ui::Control& field) { unread_.insert({field.decl().name, field.decl().index}); }
    bool KeepsUnreadValue(ui::Control& field) const {
        return unread_.count({field.decl().name, field.decl().index}) && !field.Modified();
    }

    // Reads the four policies into AAA-DDD as text, as start-up does, and shows their marks.
    void ReadRestrictions();
    // The red marks over the pictured tabs, from AAA-DDD ("1" or 1 is on): Line1 for the device
    // manager, Line2 for hardware profiles, Line3 with "F", "K" or "FK" in Label4 for the
    // file-system and virtual-memory buttons.
    void ShowRestrictionMarks();

    // Runs when the main window has been closed and every window unloaded (ends the program).
    std::function<void()> onClosed;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void BindCommands();  // the command table
    std::map<std::type_index, std::unique_ptr<ui::Form>> windows_;
    std::set<std::pair<std::string, int>> unread_;
};

// The four page-hiding policies: each value of places::kPolicyKey with the member that mirrors it.
struct Restriction {
    const char* value;
    Variant Form1::*member;
};
inline constexpr Restriction kRestrictions[4] = {
    {places::kNoDeviceManagerPage, &Form1::AAA},
    {places::kNoHardwareProfilesPage, &Form1::BBB},
    {places::kNoFileSystemButton, &Form1::CCC},
    {places::kNoVirtualMemoryButton, &Form1::DDD},
};

}  // namespace kaza
