// A started main window over a fresh program folder, with helpers to seed presets, make
// pictures and drive the preset windows the way a user does.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/ui/picturebox.h"
#include "presets/store.h"
#include "support/fixtures.h"
#include "windows/form2.h"

namespace kaza::test {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

struct Preset {
    std::string maker, model, picture, fit, centre, count;
    std::vector<std::string> lines;  // stored from key "4" on
};

class PresetTest : public ::testing::Test {
protected:
    void Index(const std::vector<std::string>& names) {
        for (size_t i = 0; i < names.size(); ++i)
            presets::WriteValue(presets::kIndexSection, std::to_string(i + 1), names[i]);
    }
    void Seed(const std::string& name, const Preset& p) {
        using presets::WriteValue;
        WriteValue(name, "1", "\"" + p.maker + "\""), WriteValue(name, "2", "\"" + p.model + "\"");
        WriteValue(name, "3", p.picture), WriteValue(name, "777", p.fit), WriteValue(name, "999", p.centre);
        for (size_t k = 0; k < p.lines.size(); ++k) WriteValue(name, std::to_string(k + 4), "\"" + p.lines[k] + "\"");
        WriteValue(name, "555", p.count);
    }
    std::string Picture(const std::string& folder, const std::string& file, int w, int h) {
        WriteBytes(folder + "\\" + file, TwoColourBmp(w, h));
        return folder + "\\" + file;
    }
    std::string Key(const std::string& section, const std::string& key) { return presets::ReadValue(section, key); }

    Form1& Start() {
        main_ = std::make_unique<Form1>();
        main_->Load();
        return *main_;
    }
    Form1& main() { return *main_; }
    ui::Control& F(const char* name) { return main_->C(name); }
    Form2& Editor() { return main_->Window<Form2>(); }

    void Select(const std::string& name) {
        auto& list = main_->List1();
        for (int i = 0; i < list.ListCount(); ++i)
            if (list.ListItem(i) == name) list.SetListIndex(i);
        ASSERT_EQ(list.SelectedText(), name);
        main_->Raise("List1", -1, ui::Event::Click);
    }
    // Opens a modal window by a main-window control and runs `inside` while it is shown.
    void Open(const char* control, std::function<void(ui::Form&)> inside) {
        ModalScope modal(std::move(inside));
        main_->Raise(control, -1, ui::Event::Click);
    }
    std::vector<std::string> Items(ui::Control& list) {
        std::vector<std::string> v;
        for (int i = 0; i < list.ListCount(); ++i) v.push_back(list.ListItem(i));
        return v;
    }

    // The logo frame's outer rectangle in twips.
    struct Rect {
        float left, top, width, height;
    };
    Rect Frame() {
        auto* box = main_->Picture1().pictureBox();
        return {box->Left(), box->Top(), box->Width(), box->Height()};
    }
    COLORREF Pixel(int x, int y) {
        auto* box = main_->Picture1().pictureBox();
        uint32_t v = box->Bits()[y * box->SurfaceWidth() + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

    ProgramFolder folder_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<Form1> main_;
};

}  // namespace kaza::test
