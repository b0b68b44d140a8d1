// What the test files share: pictures made with the program's own BMP headers, clicks and menu
// commands delivered as the user's arrive, a scope for a modal window, the machine's registry
// values given back after each test, and a main window the window tests extend.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/registry.h"
#include "platform/ui/form.h"
#include "support/kaza_test.h"

namespace kaza::test {

using Colour = uint32_t;  // 0x00BBGGRR, as COLORREF and Point give it
constexpr Colour kPureRed = 0x0000FF, kPureBlue = 0xFF0000;

// A 24-bit bottom-up BMP file whose pixel (x, y), counted from the top-left, has the colour.
std::string Bmp24(int w, int h, const std::function<Colour(int x, int y)>& colour);
// The left half red, the right half blue.
std::string TwoColourBmp(int w, int h);
void WriteBmp(const std::string& path, int w, int h, const std::function<Colour(int x, int y)>& colour);
// Little-endian fields of a file's bytes, as BMP headers hold them.
inline uint32_t U16(const std::string& b, size_t at) { return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8; }
inline uint32_t U32(const std::string& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
inline int32_t I32(const std::string& b, size_t at) { return static_cast<int32_t>(U32(b, at)); }
// How many pixels of a 32-bit BMP file are not wholly opaque (a fourth byte other than 255).
inline int TranslucentPixels(const std::string& bmp) {
    int n = 0;
    for (size_t at = U32(bmp, 10) + 3; at < bmp.size(); at += 4) n += uint8_t(bmp[at]) != 255;
    return n;
}

// The two OEM files in a folder, under the names the program gives them: the logo as the
// backup copies it and as the apply writes it, and the information file.
std::string LogoIn(const std::string& folder);
std::string AppliedLogoIn(const std::string& folder);
std::string InfoIn(const std::string& folder);

// A button press (BM_CLICK), a menu command, and a press and release on a click area or field.
void Click(ui::Control& button);
void ClickMenu(ui::Form& form, const char* menu);
void ClickArea(ui::Control& area);

// Runs `inside` in the next modal window shown while the scope lives; at its end the scope
// checks that one was shown and clears the hook.
class ModalScope {
public:
    explicit ModalScope(std::function<void(ui::Form&)> inside);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    bool ran_ = false;
};

// Every value of the test prefix's HKEY_LOCAL_MACHINE that the program reads or writes, put
// back as it was (type and bytes, or absent) when the snapshot ends.
class MachineSnapshot {
public:
    MachineSnapshot();
    ~MachineSnapshot();
    MachineSnapshot(const MachineSnapshot&) = delete;
    MachineSnapshot& operator=(const MachineSnapshot&) = delete;

private:
    struct Saved {
        std::string key, value;
        platform::RegValue was;
    };
    std::vector<Saved> saved_;
};

// A loaded main window over a program folder of its own, with scripted dialogs; the machine's
// values are given back and the write refusal lifted after each test.
class MainWindowTest : public ::testing::Test {
protected:
    ~MainWindowTest() override;
    void SetUp() override { main_.Load(); }

    MachineSnapshot machine_;
    ProgramFolder program_;
    ScriptedDialogs dialogs_;
    Form1 main_;
};

}  // namespace kaza::test
