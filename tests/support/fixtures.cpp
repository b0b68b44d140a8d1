#include "support/fixtures.h"

#include "app/maker.h"
#include "app/places.h"
#include "platform/bmpfile.h"

namespace kaza::test {

std::string Bmp24(int w, int h, const std::function<Colour(int x, int y)>& colour) {
    const uint32_t rowBytes = (uint32_t(w) * 3 + 3) & ~3u;
    std::string file(54 + size_t(rowBytes) * h, '\0');
    platform::BmpHeaders(reinterpret_cast<uint8_t*>(file.data()), w, h, 24, 0, rowBytes * uint32_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Colour c = colour(x, y);
            size_t at = 54 + size_t(h - 1 - y) * rowBytes + size_t(x) * 3;
            file[at] = static_cast<char>(c >> 16);
            file[at + 1] = static_cast<char>(c >> 8);
            file[at + 2] = static_cast<char>(c);
        }
    return file;
}

std::string TwoColourBmp(int w, int h) {
    return Bmp24(w, h, [w](int x, int) { return x < w / 2 ? kPureRed : kPureBlue; });
}

void WriteBmp(const std::string& path, int w, int h, const std::function<Colour(int x, int y)>& colour) {
    WriteBytes(path, Bmp24(w, h, colour));
}

std::string LogoIn(const std::string& folder) { return folder + "\\" + places::kLogoCopyFile; }
std::string AppliedLogoIn(const std::string& folder) { return folder + "\\" + places::kLogoFile; }
std::string InfoIn(const std::string& folder) { return folder + "\\" + places::kInfoFile; }

void Click(ui::Control& button) { SendMessageA(button.hwnd(), BM_CLICK, 0, 0); }

void ClickMenu(ui::Form& form, const char* menu) {
    SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(form.Menu(menu).id(), 0), 0);
}

void ClickArea(ui::Control& area) {
    SendMessageA(area.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(area.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

ModalScope::ModalScope(std::function<void(ui::Form&)> inside) {
    ui::Form::SetModalHook([this, inside = std::move(inside)](ui::Form& f) {
        ran_ = true;
        if (inside) inside(f);
    });
}

ModalScope::~ModalScope() {
    ui::Form::SetModalHook(nullptr);
    EXPECT_TRUE(ran_) << "no modal window was shown";
}

MachineSnapshot::MachineSnapshot() {
    auto keep = [this](const std::string& key, const char* value) {
        saved_.push_back({key, value, platform::RegReadRaw(platform::Root::LocalMachine, key, value)});
    };
    for (const char* v : {places::kIdentifier, places::kVendorIdentifier, places::kProcessorName})
        keep(places::kProcessorKey, v);
    for (const char* v : {places::kProductName, places::kServicePack}) keep(places::kNtVersionKey, v);
    for (const char* syt : {"", " NT"})
        for (const char* v : places::kRegistrationValues) keep(places::VersionKey(syt), v);
    for (const MakerDetail& d : kMakerDetails) keep(places::kOemInformationKey, d.value);
}

MachineSnapshot::~MachineSnapshot() {
    platform::SetWriteRefusalForTesting(nullptr);
    for (const Saved& s : saved_) {
        if (s.was.exists) {
            EXPECT_TRUE(platform::RegWriteRaw(platform::Root::LocalMachine, s.key, s.value, s.was.type,
                                              s.was.bytes.data(), static_cast<unsigned long>(s.was.bytes.size())));
        } else {
            static_cast<void>(platform::RegDeleteValueIn(platform::Root::LocalMachine, s.key, s.value));
        }
    }
}

MainWindowTest::~MainWindowTest() {
    ui::Form::SetModalHook(nullptr);
    platform::SetWriteRefusalForTesting(nullptr);
}

}  // namespace kaza::test
