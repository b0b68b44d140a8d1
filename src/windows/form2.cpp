#include "windows/form2.h"

#include "app/form1.h"
#include "platform/text.h"

namespace kaza {
namespace {

using namespace ui;

const ControlSpec kControls[] = {
    Text("Text1", 120, 120, 6375, 3255).MultiLine(true, true).Tab(2),
    Label("Label1", 240, 3480, 2055, 255).Font("ＭＳ Ｐゴシック", 11.25f, true).Tab(1),
    Button("Command1", 2520, 3480, 1575, 375, "OK").Font("ＭＳ Ｐ明朝", 9).Tab(0),
};
const FormSpec kForm2{"サポート情報", 6675, 3915, kControls, Count(kControls)};

constexpr int kLineBuffer = 128;

}  // namespace

Form2::Form2(Form1& main) : Form(kForm2), main_(main) {
    On("Text1", Event::KeyUp, [this](int) { Text1_KeyUp(); });
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
}

void Form2::Text1_KeyUp() {
    LRESULT n = SendMessageA(Text1().hwnd(), EM_GETLINECOUNT, 0, 0);
    Label1().SetCaption("総行数" + std::to_string(n));
}

void Form2::Command1_Click() { Hide(); }

std::string ReadEditLine(HWND edit, int line) {
    char buffer[kLineBuffer];
    std::fill(buffer, buffer + kLineBuffer, ' ');
    // EM_GETLINE reads the buffer's capacity from its first 16-bit word.
    *reinterpret_cast<WORD*>(buffer) = kLineBuffer;
    LRESULT n = SendMessageA(edit, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer));
    size_t count = n > 0 ? std::min<size_t>(static_cast<size_t>(n), kLineBuffer) : 0;
    // A cut at 128 bytes may fall inside a double-byte character: drop that half.
    count = platform::AnsiCutWithoutSplit(buffer, count);
    std::string text = platform::FromAnsi(buffer, count);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::vector<std::string> ReadSupportLines(Form1& main) {
    HWND edit = main.Window<Form2>().Text1().hwnd();
    LRESULT count = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    std::vector<std::string> lines;
    for (int k = 0; k < count; ++k) lines.push_back(ReadEditLine(edit, k));
    return lines;
}

}  // namespace kaza
