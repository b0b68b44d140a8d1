#include "windows/form2.h"

#include "app/fonts.h"
#include "app/form1.h"
#include "platform/edit.h"
#include "platform/text.h"

namespace kaza {
namespace {

using namespace ui;

// The label of the detail the editor holds in `field`.
const char* LabelOf(const char* field) {
    for (const MakerDetail& d : kMakerDetails)
        if (d.holder == Holder::SupportEditor && std::string(d.field) == field) return d.label;
    return "";
}

const ControlDecl kControls[] = {
    // Scroll bars both ways and no word wrap: each line of the text is one line of the page.
    Text("Text1", 120, 120, 6375, 3255).MultiLine(true, true).Tab(2),
    Label("Label1", 240, 3480, 2055, 255).Font(kGothic, 11.25f, true).Tab(1),
    Button("Command1", 2520, 3480, 1575, 375, "OK").Font(kMincho, 9).Tab(0).Default().Cancel(),
    // Below the lines: the details Vista and later show, and why OK refused them.
    Label("Label2", 120, 4035, 1815, 255, LabelOf("Text2")),
    Text("Text2", 2040, 4005, 4455, 270).Tab(3),
    Label("Label3", 120, 4395, 1815, 255, LabelOf("Text3")),
    Text("Text3", 2040, 4365, 4455, 270).Tab(4),
    Label("Label4", 120, 4755, 1815, 255, LabelOf("Text4")),
    Text("Text4", 2040, 4725, 4455, 270).Tab(5),
    // What Get Help of 10 and 11 reads.
    Label("Label6", 120, 5115, 1815, 255, LabelOf("Text5")),
    Text("Text5", 2040, 5085, 4455, 270).Tab(6),
    Label("Label7", 120, 5475, 1815, 255, LabelOf("Text6")),
    Text("Text6", 2040, 5445, 4455, 270).Tab(7),
    Label("Label8", 120, 5835, 1815, 255, LabelOf("Text7")),
    Text("Text7", 2040, 5805, 4455, 270).Tab(8),
    Label("Label9", 120, 6195, 1815, 255, LabelOf("Text8")),
    Text("Text8", 2040, 6165, 4455, 270).Tab(9),
    Label("Label5", 120, 6525, 6375, 435).Fore(RGB(192, 0, 0)),
};
constexpr const char* kTotal = "総行数";  // before the line count in Label1

const FormDecl kForm2{"サポート情報", kWindowFont, 6675, 7020, kControls, Count(kControls)};

// A complete address: the scheme and something after it.
bool IsWebAddress(const std::string& s) {
    for (const std::string scheme : {"http://", "https://"})
        if (s.size() > scheme.size() && platform::LowerCase(s.substr(0, scheme.size())) == scheme) return true;
    return false;
}

// The row a page shows in place of an empty one (MakerDetail::standIn).
const MakerDetail* StandInFor(const MakerDetail& d) {
    for (const MakerDetail& other : kMakerDetails)
        if (d.standIn && std::string(other.value) == d.standIn) return &other;
    return nullptr;
}

// The page whose lines the labels hold: before Vista they are hidden, and hold the panel's.
Page PageShown(const Form1& main) { return main.ReadsOemInformation() ? main.page : Page::Vista; }

// One line of the page, as the system shows it: an empty value has no line, and a web address
// is a link the system names.
void ShowLine(Form1& main, const MakerDetail& d, std::string value) {
    if (value.empty())
        if (const MakerDetail* standIn = StandInFor(d)) value = FieldOf(main, *standIn).Text();
    main.C(d.pageLabel).SetCaption(value.empty() ? "" : d.webAddress ? d.pageLine : d.pageLine + value);
}

// Where the main window's page shows the details (on the pages of Vista and later).
void ShowOnPage(Form1& main, const SupportValues& v) {
    for (size_t k = 0; k < SupportDetails().size(); ++k) {
        const MakerDetail& d = *SupportDetails()[k];
        if (d.pageLabel && Shows(d.pages, PageShown(main))) ShowLine(main, d, k < v.size() ? v[k] : "");
    }
}

}  // namespace

Form2::Form2(Form1& main) : Form(kForm2), main_(main) {
    On("Text1", Event::KeyUp, [this](int) { Text1_KeyUp(); });
    On("Command1", Event::Click, [this](int) { Command1_Click(); });
}

void Form2::Text1_KeyUp() { Label1().SetCaption(kTotal + std::to_string(platform::EditLineCount(Text1().hwnd()))); }

// The window only hides: its text is the program's copy of the support lines. Details the
// system could not take keep the window open, with the reason, and nothing typed is lost.
void Form2::Command1_Click() {
    SupportValues v = ReadSupportValues(main_);
    std::string problem = SupportValuesProblem(v);
    C("Label5").SetCaption(problem);
    if (!problem.empty()) return;
    ShowOnPage(main_, v);
    Hide();
}

const std::vector<const MakerDetail*>& SupportDetails() {
    static const std::vector<const MakerDetail*> rows = [] {
        std::vector<const MakerDetail*> held;
        for (const MakerDetail& d : kMakerDetails)
            if (d.holder == Holder::SupportEditor) held.push_back(&d);
        return held;
    }();
    return rows;
}

ui::Control& FieldOf(Form1& main, const MakerDetail& d) {
    if (d.holder == Holder::SupportEditor) return main.Window<Form2>().C(d.field, d.index);
    return main.C(d.field, d.index);
}

SupportValues ReadSupportValues(Form1& main) {
    SupportValues v;
    for (const MakerDetail* d : SupportDetails()) v.push_back(FieldOf(main, *d).Text());
    return v;
}

void FillSupportValues(Form1& main, const SupportValues& v) {
    Form2& editor = main.Window<Form2>();
    for (size_t k = 0; k < SupportDetails().size(); ++k)
        FieldOf(main, *SupportDetails()[k]).SetText(k < v.size() ? v[k] : "");
    editor.C("Label5").SetCaption("");
    ShowOnPage(main, v);
}

std::string SupportValuesProblem(const SupportValues& v) {
    auto text = [&](size_t k) { return k < v.size() ? v[k] : std::string(); };
    for (size_t k = 0; k < SupportDetails().size(); ++k) {
        const MakerDetail& d = *SupportDetails()[k];
        if (d.most && platform::WideLength(text(k)) > d.most)
            return std::string(d.label) + "は" + std::to_string(d.most) + "文字までです。";
        if (!platform::FitsAnsi(text(k))) return std::string(d.label) + "にこのWindowsで使えない文字があります。";
    }
    for (size_t k = 0; k < SupportDetails().size(); ++k) {
        const MakerDetail& d = *SupportDetails()[k];
        if (text(k).empty()) continue;
        if (d.webAddress && !IsWebAddress(text(k)))
            return std::string(d.label) + "は http:// か https:// で始まるアドレスを入力してください。";
        if (d.appAddress && !IsAppAddress(text(k)))
            return std::string(d.label) + "はプロトコル名か URI を、空白を入れずに入力してください。";
    }
    return {};
}

bool IsAppAddress(const std::string& s) {
    constexpr size_t kMostUrl = 2083;  // as for a web address
    if (s.empty() || platform::WideLength(s) > kMostUrl) return false;
    for (unsigned char c : s)
        if (c <= ' ' || c == 0x7f) return false;
    return s.find("\u3000") == std::string::npos;  // the ideographic space
}

void ShowStandInsOnPage(Form1& main) {
    Form2* editor = main.ExistingWindow<Form2>();
    for (const MakerDetail* d : SupportDetails())
        if (d->standIn && d->pageLabel && Shows(d->pages, PageShown(main)))
            ShowLine(main, *d, editor ? FieldOf(main, *d).Text() : "");
}

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
