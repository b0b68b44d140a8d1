#include "windows/form2.h"

#include "app/fonts.h"
#include "app/form1.h"
#include "platform/edit.h"

namespace kaza {
namespace {

using namespace ui;

const ControlDecl kControls[] = {
    // Scroll bars both ways and no word wrap: each line of the text is one line of the page.
    Text("Text1", 120, 120, 6375, 3255).MultiLine(true, true).Tab(2),
    Label("Label1", 240, 3480, 2055, 255).Font(kGothic, 11.25f, true).Tab(1),
    Button("Command1", 2520, 3480, 1575, 375, "OK").Font(kMincho, 9).Tab(0).Default().Cancel(),
};
constexpr const char* kTotal = "総行数";  // before the line count in Label1

const FormDecl kForm2{"サポート情報", kWindowFont, 6675, 3915, kControls, Count(kControls)};

}  // namespace

Form2::Form2(Form1&) : Form(kForm2) {
    On("Text1", Event::KeyUp, [this](int) { Text1_KeyUp(); });
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
}

void Form2::Text1_KeyUp() { Label1().SetCaption(kTotal + std::to_string(platform::EditLineCount(Text1().hwnd()))); }

// The window only hides: its text is the program's copy of the support lines.
void Form2::Command1_Click() { Hide(); }

std::vector<std::string> ReadSupportLines(Form1& main) {
    HWND edit = main.Window<Form2>().Text1().hwnd();
    int count = platform::EditLineCount(edit);
    std::vector<std::string> lines;
    for (int k = 0; k < count; ++k) lines.push_back(platform::EditLine(edit, k));
    return lines;
}

void FillSupportLines(Form1& main, const std::string& text, const std::string& storedCount) {
    Form2& editor = main.Window<Form2>();
    editor.Text1().SetText(text);
    editor.Label1().SetCaption(kTotal + storedCount);
}

}  // namespace kaza
