// The support-information editor with real windows, and the reader of its lines.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/edit.h"
#include "platform/text.h"
#include "support/fixtures.h"
#include "windows/form2.h"

namespace kaza {
namespace {

using Lines = std::vector<std::string>;

std::string Repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

// Key presses as the keyboard delivers them: down, character, up.
void Type(HWND edit, const std::string& ascii) {
    for (char ch : ascii) {
        UINT vk = ch == '\n' ? VK_RETURN : static_cast<UINT>(VkKeyScanA(ch) & 0xFF);
        SendMessageA(edit, WM_KEYDOWN, vk, 1);
        SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(ch == '\n' ? '\r' : ch), 1);
        SendMessageA(edit, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
    }
}
void Release(HWND edit, UINT vk) { SendMessageA(edit, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001)); }

using test::Click;

// The main window's "サポート情報（Ｓ）" button.
Form2& Open(Form1& f) {
    Click(f.C("Command1"));
    return f.Window<Form2>();
}

class SupportEditor : public ::testing::Test {
protected:
    test::ProgramFolder folder_;
    test::ScriptedDialogs dialogs_;
};

TEST_F(SupportEditor, CountsTheLinesWhenAKeyIsReleased) {
    Form1 f;
    f.Show();
    Form2& e = Open(f);
    HWND text = e.Text1().hwnd();
    EXPECT_EQ(e.Label1().Caption(), "");
    Release(text, VK_SHIFT);
    EXPECT_EQ(e.Label1().Caption(), "総行数1");  // an empty field is one line
    Type(text, "Support");
    EXPECT_EQ(e.Label1().Caption(), "総行数1");
    Type(text, "\nTel 03-0000-0000\nFax");
    EXPECT_EQ(e.Label1().Caption(), "総行数3");
    // Text pasted with the mouse is counted at the next key release only.
    SendMessageA(text, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(test::Sjis("\r\n四行目\r\n五行目").c_str()));
    EXPECT_EQ(e.Label1().Caption(), "総行数3");
    Release(text, VK_CONTROL);
    EXPECT_EQ(e.Label1().Caption(), "総行数5");
}

TEST_F(SupportEditor, LongLinesScrollInsteadOfWrapping) {
    Form1 f;
    Form2& e = Open(f);
    std::string longLine = Repeat("word ", 60);
    e.Text1().SetText(longLine + "\r\nnext");
    Release(e.Text1().hwnd(), VK_END);
    EXPECT_EQ(e.Label1().Caption(), "総行数2");
    LONG style = GetWindowLongA(e.Text1().hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
}

TEST_F(SupportEditor, OkKeepsTheLinesAndTheCloseBoxDiscardsThem) {
    Form1 f;
    f.Show();
    Form2& e = Open(f);
    Type(e.Text1().hwnd(), "line one\nline two");
    Click(e.C("Command1"));
    EXPECT_TRUE(e.Loaded());
    EXPECT_FALSE(e.Visible());
    EXPECT_EQ(ReadSupportLines(f), (Lines{"line one", "line two"}));  // read while hidden

    Open(f);
    EXPECT_TRUE(e.Visible());
    EXPECT_EQ(e.Text1().Text(), "line one\r\nline two");
    EXPECT_EQ(e.Label1().Caption(), "総行数2");

    SendMessageA(e.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(e.Loaded());
    Open(f);
    EXPECT_TRUE(e.Visible());
    EXPECT_EQ(e.Text1().Text(), "");
    EXPECT_EQ(e.Label1().Caption(), "");
}

TEST_F(SupportEditor, ReadingOrFillingCreatesItHidden) {
    Form1 f;
    f.Show();
    EXPECT_EQ(f.ExistingWindow<Form2>(), nullptr);
    EXPECT_EQ(ReadSupportLines(f), Lines{""});
    Form2* e = f.ExistingWindow<Form2>();
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->Loaded());
    EXPECT_FALSE(e->Visible());
    // Lines filled in while hidden are there when the user opens it.
    e->Text1().SetText("A\r\nB\r\n");
    EXPECT_EQ(ReadSupportLines(f), (Lines{"A", "B", ""}));
    Open(f);
    EXPECT_TRUE(e->Visible());
    EXPECT_EQ(e->Text1().Text(), "A\r\nB\r\n");
}

// What the System control panel and Settings would not show as typed is refused on OK: the window
// stays open with the reason and every field as it was; once corrected, OK hides it and the page
// shows the details.
TEST_F(SupportEditor, OkRefusesDetailsTheSystemWouldNotTake) {
    const std::string url = "https://example.jp/";
    const struct {
        SupportValues v;
        const char* problem;  // "" when OK takes them
    } cases[] = {
        {{std::string(256, '9'), Repeat("あ", 256), url + std::string(2083 - 19, 'a')}, ""},
        {{"", "", "HTTP://EXAMPLE.JP"}, ""},
        {{std::string(257, '9'), "", ""}, "電話番号は256文字までです。"},
        {{"", Repeat("あ", 257), ""}, "サポート時間は256文字までです。"},
        {{"", "", url + std::string(2083 - 18, 'a')}, "サポート Web サイトは2083文字までです。"},
        {{"", "", "www.example.jp"}, "サポート Web サイトは http:// か https:// で始まるアドレスを入力してください。"},
        {{"", "", "https://"}, "サポート Web サイトは http:// か https:// で始まるアドレスを入力してください。"},
        {{"03 한국", "", ""}, "電話番号にこのWindowsで使えない文字があります。"},
        {{"", "", "", "", "kazaguruma-support:open?id=1", "https://t.example.jp", "HTTP://R"}, ""},
        {{"", "", "", "", "kazaguruma support"}, "サポート アプリはプロトコル名か URI を、空白を入れずに入力してください。"},
        {{"", "", "", "", "kazaguruma\tsupport"}, "サポート アプリはプロトコル名か URI を、空白を入れずに入力してください。"},
        {{"", "", "", "", "kazaguruma　support"}, "サポート アプリはプロトコル名か URI を、空白を入れずに入力してください。"},
        {{"", "", "", "", "a" + std::string(2083, 'a')}, "サポート アプリは2083文字までです。"},
        {{"", "", "", "", "", "trade.example.jp"}, "下取り Web サイトは http:// か https:// で始まるアドレスを入力してください。"},
        {{"", "", "", "", "", "", "ftp://r.example.jp"}, "リサイクル Web サイトは http:// か https:// で始まるアドレスを入力してください。"},
        {{"", "", "", Repeat("あ", 257)}, "サポート提供元は256文字までです。"},
    };
    Form1 f;
    f.Show();
    Form2& e = Open(f);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        EXPECT_EQ(SupportValuesProblem(c.v), c.problem);
        if (!platform::FitsAnsi(c.v[0])) continue;  // the ANSI edit control cannot hold it
        Open(f);
        for (size_t k = 0; k < SupportDetails().size(); ++k)
            FieldOf(f, *SupportDetails()[k]).SetText(k < c.v.size() ? c.v[k] : "");
        Click(e.C("Command1"));
        EXPECT_EQ(e.Visible(), *c.problem != '\0');
        EXPECT_EQ(e.C("Label5").Caption(), c.problem);
        SupportValues kept = ReadSupportValues(f);
        for (size_t k = 0; k < c.v.size(); ++k) EXPECT_EQ(kept[k], c.v[k]);
        if (!*c.problem) {
            EXPECT_EQ(f.C("Label10").Caption(), c.v[2].empty() ? "" : "Web サイト: オンライン サポート");
        }
    }
}

TEST_F(SupportEditor, OkTakesTheFocusFirstThenTheText) {
    Form1 f;
    f.Show();
    Form2& e = Open(f);
    EXPECT_EQ(GetFocus(), e.C("Command1").hwnd());
    EXPECT_EQ(GetNextDlgTabItem(e.hwnd(), e.C("Command1").hwnd(), FALSE), e.Text1().hwnd());
}

TEST_F(SupportEditor, ReaderKeepsLeadingBlanksDropsTrailingOnesAndCutsAt128Bytes) {
    Form1 f;
    Form2& e = f.Window<Form2>();
    const std::string across = "a" + Repeat("あ", 70);  // byte 128 is the second half of the 64th あ
    e.Text1().SetText("  前に空白  \r\n"
                      "全角の空白は残る　\r\n"
                      "\r\n"
                      "日本語の行：ｶﾅとΩ\r\n" +
                      std::string(130, 'x') + "\r\n" + across + "\r\n" + Repeat("ソ", 64));
    EXPECT_EQ(ReadSupportLines(f), (Lines{"  前に空白", "全角の空白は残る　", "", "日本語の行：ｶﾅとΩ",
                                          std::string(128, 'x'), "a" + Repeat("あ", 63), Repeat("ソ", 64)}));
}

// An edit control that answers EM_GETLINE by copying bytes, as the systems the program targets
// do: a long line can end in half a double-byte character, and nothing is NUL-terminated.
struct RawEdit {
    static Lines lines;  // Shift-JIS bytes
    static std::vector<WORD> capacities;
    static bool buffersBlank;

    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == EM_GETLINECOUNT) return static_cast<LRESULT>(lines.size());
        if (msg == EM_GETLINE) {
            char* buffer = reinterpret_cast<char*>(lp);
            WORD capacity;
            std::memcpy(&capacity, buffer, sizeof capacity);
            capacities.push_back(capacity);
            for (WORD i = 2; i < capacity; ++i) buffersBlank = buffersBlank && buffer[i] == ' ';
            const std::string& line = lines.at(wp);
            size_t n = std::min<size_t>(capacity, line.size());
            std::memcpy(buffer, line.data(), n);
            return static_cast<LRESULT>(n);
        }
        return DefWindowProcA(h, msg, wp, lp);
    }
};
Lines RawEdit::lines;
std::vector<WORD> RawEdit::capacities;
bool RawEdit::buffersBlank = true;

TEST(EditLineReader, DropsTheHalfCharacterAtTheCut) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RawEdit::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KazaRawEdit";
    RegisterClassA(&wc);
    HWND edit = CreateWindowExA(0, "KazaRawEdit", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(edit, nullptr);
    RawEdit::lines = {test::Sjis("a" + Repeat("あ", 70)),
                      test::Sjis("a" + Repeat("ソ", 70)),  // trail byte 0x5C, the backslash
                      test::Sjis(Repeat("ソ", 64)), test::Sjis("短い行  "), std::string(200, 'y')};
    EXPECT_EQ(platform::EditLineCount(edit), 5);
    EXPECT_EQ(platform::EditLine(edit, 0), "a" + Repeat("あ", 63));
    EXPECT_EQ(platform::EditLine(edit, 1), "a" + Repeat("ソ", 63));
    EXPECT_EQ(platform::EditLine(edit, 2), Repeat("ソ", 64));
    EXPECT_EQ(platform::EditLine(edit, 3), "短い行");
    EXPECT_EQ(platform::EditLine(edit, 4), std::string(128, 'y'));
    EXPECT_EQ(RawEdit::capacities, std::vector<WORD>(5, 128));
    EXPECT_TRUE(RawEdit::buffersBlank);
    DestroyWindow(edit);
}

}  // namespace
}  // namespace kaza
