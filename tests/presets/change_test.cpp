// Adding, overwriting and deleting presets through the windows, against the index file on disk.
#include "platform/files.h"
#include "platform/text.h"
#include "presets/form3.h"
#include "presets/form4.h"
#include "presets/names.h"
#include "presets/preset_fixture.h"

namespace kaza {
namespace {

using test::Preset;
using ui::Event;
using ui::Form;

const char* kAddHint = "アルファベットは小文字と大文字を混合できません。";

class Change : public test::PresetTest {
protected:
    // Types `name` into the add window and presses 追加; true when the window then stayed open.
    bool Add(const std::string& name) {
        bool open = false;
        Open("Command2", [&](Form& f) {
            EXPECT_EQ(main().Panel(1), kAddHint);
            auto& add = static_cast<Form4&>(f);
            add.Text1().SetText(name);
            add.Raise("Command1", -1, Event::Click);
            open = add.Loaded();
            if (open) {
                EXPECT_EQ(add.Text1().Text(), name);
            }
        });
        return open;
    }
    // Opens the delete window and deletes the entries at the given places in turn.
    void Delete(std::vector<int> places, std::function<void(Form3&)> after = nullptr) {
        Open("Command3", [&](Form& f) {
            auto& del = static_cast<Form3&>(f);
            for (int i : places) {
                del.List1().SetListIndex(i);
                del.Raise("List1", -1, Event::Click);
                EXPECT_EQ(del.Label2().Caption(), "選択されている項目：" + del.List1().ListItem(i));
                del.Raise("Command1", -1, Event::Click);
                EXPECT_EQ(del.Label2().Caption(), "");
            }
            if (after) after(del);
        });
    }
    void SetSupport(const std::string& text) { Editor().Text1().SetText(text); }
    // Another program holds the index file open for reading only, so no write reaches it.
    void LockIndex() {
        lock_ = CreateFileA(platform::ToAnsi(folder_.index()).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock_, INVALID_HANDLE_VALUE);
    }
    void TearDown() override {
        if (lock_ != INVALID_HANDLE_VALUE) CloseHandle(lock_);
    }
    HANDLE lock_ = INVALID_HANDLE_VALUE;
};

TEST_F(Change, AddRefusesEmptyCollidingAndUnstorableNames) {
    Index({"abc", "ABC", "aBC", "mixed"});
    Start();
    std::string before = test::ReadBytes(folder_.index());
    struct Case {
        const char* name;
        const char* message;  // nullptr: a refusal of the name's form, whatever its words
    };
    const char* kSame = "すでに同じ名前が登録されています。";
    for (const Case& c : {Case{"", "一文字くらい書こうよ。（ｗ"}, Case{"abc", kSame}, Case{"ABC", kSame},
                          Case{"Abc", kSame}, Case{"aBc", kSame}, Case{"MIXED", kSame}, Case{"Mixed", kSame},
                          Case{"a[b", nullptr}, Case{"a]b", nullptr}, Case{"a=b", nullptr},
                          Case{"a\r\nb", nullptr}, Case{" ab", nullptr}, Case{"ab ", nullptr},
                          Case{"nagi", nullptr}, Case{"NaGi", nullptr}, Case{"\"q\"", nullptr}}) {
        SCOPED_TRACE(c.name);
        dialogs_.messages.clear();
        EXPECT_TRUE(Add(c.name));
        ASSERT_EQ(dialogs_.messages.size(), 1u);
        EXPECT_EQ(dialogs_.messages[0].title, "Error!!");
        EXPECT_EQ(dialogs_.messages[0].style, static_cast<unsigned>(MB_OK));
        if (c.message) {
            EXPECT_EQ(dialogs_.messages[0].text, c.message);
        } else {
            EXPECT_NE(dialogs_.messages[0].text, kSame);
        }
        EXPECT_EQ(main().Panel(1), kAddHint);
    }
    EXPECT_NE(presets::NameRefusal(std::string("a\0b", 3)), "");
    EXPECT_NE(presets::NameRefusal("\vab"), "");
    EXPECT_NE(presets::NameRefusal("a\tb"), "");
    EXPECT_EQ(presets::NameRefusal("ａｂ　ｃ"), "");
    EXPECT_EQ(test::ReadBytes(folder_.index()), before);
    EXPECT_EQ(main().List1().ListCount(), 4);
}

TEST_F(Change, AddRefusesAFullIndexAndCancelWritesNothing) {
    std::vector<std::string> names;
    for (int i = 1; i <= 100; ++i) names.push_back("p" + std::to_string(i));
    Index(names);
    Start();
    std::string before = test::ReadBytes(folder_.index());
    EXPECT_TRUE(Add("new"));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].text.find("100"), std::string::npos);
    Open("Command2", [&](Form& f) {
        static_cast<Form4&>(f).Text1().SetText("other");
        f.Raise("Command2", -1, Event::Click);
        EXPECT_FALSE(f.Loaded());
    });
    EXPECT_EQ(test::ReadBytes(folder_.index()), before);
    EXPECT_EQ(main().Panel(1), kAddHint);
}

TEST_F(Change, AddStoresTheSettingsAndTheSupportLines) {
    Index({"abc"});
    std::string outside = test::ScratchFolder("pictures");
    std::string picture = Picture(outside, "Logo.bmp", 100, 50);
    Start();
    EXPECT_EQ(main().WWW, Variant::Number(2));
    main().Text4(0).SetText("  風車  ");
    main().Text4(1).SetText("KZ-1");
    F("Text3").SetText("2");
    main().TRF = Variant::Text(picture);
    SetSupport("  first  \r\nsecond   \r\nthird\r\n");

    EXPECT_FALSE(Add("def"));
    EXPECT_EQ(main().Panel(1), "defをリストに追加しました。");
    EXPECT_EQ(Items(main().List1()), (std::vector<std::string>{"abc", "def"}));
    EXPECT_EQ(main().List1().ListIndex(), -1);
    EXPECT_EQ(main().WWW, Variant::Number(3));
    EXPECT_EQ(Key("nagi", "2"), "def");
    EXPECT_EQ(Key("def", "1"), "  風車  ");
    EXPECT_EQ(Key("def", "3"), "Logo.bmp");
    EXPECT_EQ(Key("def", "999"), "2");
    EXPECT_EQ(Key("def", "555"), "5");
    std::string file = test::ReadBytes(folder_.index());
    for (const char* line : {"1=\"  風車  \"", "4=\"  first\"", "5=\"second\"", "6=\"third\"", "7=\"\"", "777=\r\n"})
        EXPECT_NE(file.find(test::Sjis(line)), std::string::npos) << line;
    EXPECT_EQ(test::ReadBytes(folder_.plugins() + "\\Logo.bmp"), test::ReadBytes(picture));

    // Round trip: selecting the new preset gives back the same settings and placement.
    main().Text4(0).SetText("x");
    F("Text3").SetText("");
    SetSupport("");
    Select("def");
    EXPECT_EQ(main().Text4(0).Text(), "  風車  ");
    EXPECT_EQ(main().Text4(1).Text(), "KZ-1");
    EXPECT_EQ(F("Text3").Text(), "2");
    EXPECT_EQ(F("Text2").Text(), "");
    EXPECT_EQ(Editor().Text1().Text(), "  first\r\nsecond\r\nthird\r\n");
    EXPECT_EQ(main().TRF, Variant::Text(folder_.plugins() + "\\Logo.bmp"));
    EXPECT_EQ(main().Picture1().pictureBox()->Picture().width(), 100);
    Rect r = Frame();
    EXPECT_FLOAT_EQ(r.left, 1815 - r.width / 2);
    EXPECT_FLOAT_EQ(r.top, 4275 - r.height / 2);

    // Saved again from the preset's own picture: nothing to copy, and the same lines.
    EXPECT_FALSE(Add("ghi"));
    EXPECT_EQ(main().Panel(1), "ghiをリストに追加しました。");
    EXPECT_EQ(Key("ghi", "3"), "Logo.bmp");
    EXPECT_EQ(Key("ghi", "555"), "5");
    EXPECT_EQ(Key("ghi", "6"), "third");
    EXPECT_EQ(test::ReadBytes(folder_.plugins() + "\\Logo.bmp"), test::ReadBytes(picture));
    test::RemoveTree(outside);
}

// The details of Vista and later: quoted in the index, so that blanks and quotes come back; an
// index written before them selects with them all empty.
TEST_F(Change, SupportDetailsTravelWithThePreset) {
    Seed("old", {"Old", "O", "", "", "", "2", {}});
    Index({"old"});
    Start();
    auto details = [&] { return ReadSupportValues(main()); };
    FillSupportValues(main(), {"x", "y", "http://z"});
    Select("old");
    EXPECT_EQ(details(), SupportValues(SupportDetails().size()));

    const std::string longest = "https://example.jp/" + std::string(2083 - 19, 'a');
    const SupportValues cases[] = {
        {"  03-1234-5678  ", "\"平日\" 9:00～17:00", "https://example.jp/?q=\"a b\"", " \"風車\" サポート ",
         "kazaguruma-support:open?id=1", "https://example.jp/trade", "http://example.jp/recycle"},
        {"", "  ", longest, "", longest, "", longest},
    };
    FillSupportValues(main(), cases[0]);
    EXPECT_FALSE(Add("new"));
    EXPECT_NE(test::ReadBytes(folder_.index()).find(test::Sjis("SupportPhone=\"  03-1234-5678  \"\r\n")), std::string::npos);
    for (const SupportValues& v : cases) {
        Select("new");
        FillSupportValues(main(), v);
        main().Raise("Command7", -1, Event::Click);  // overwrite "new" with what the editor holds
        FillSupportValues(main(), {});
        Select("old");
        Select("new");
        EXPECT_EQ(details(), v);
    }
}

TEST_F(Change, OverwriteKeepsOldLineKeysAndCopiesANewPicture) {
    Picture(folder_.plugins(), "old.bmp", 20, 10);
    Seed("A", {"m", "n", "old.bmp", "", "", "6", {"1", "2", "3", "4", "5"}});
    Index({"A", "B"});
    Start();
    std::string before = test::ReadBytes(folder_.index());
    main().Raise("Command7", -1, Event::Click);  // nothing selected
    EXPECT_EQ(test::ReadBytes(folder_.index()), before);
    EXPECT_EQ(main().Panel(1), "カザグルマVer6.2");

    // A preset without a picture saved again is no missing picture.
    Select("B");
    main().Raise("Command7", -1, Event::Click);
    EXPECT_EQ(main().Panel(1), "Bに設定を上書きしました。");
    EXPECT_EQ(Key("B", "3"), "");

    Select("A");
    SetSupport("x\r\ny\r\n");
    main().Text4(1).SetText("new model");
    main().Raise("Command7", -1, Event::Click);
    EXPECT_EQ(main().Panel(1), "Aに設定を上書きしました。");
    EXPECT_EQ(Key("A", "555"), "4");
    EXPECT_EQ(Key("A", "2"), "new model");
    EXPECT_EQ(Key("A", "7"), "4");  // above the new count: left in the file, never read
    EXPECT_EQ(Key("A", "8"), "5");
    EXPECT_EQ(Items(main().List1()), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(main().List1().SelectedText(), "A");
    Select("A");
    EXPECT_EQ(Editor().Text1().Text(), "x\r\ny\r\n");

    // After importing another picture the overwrite copies it and names it.
    std::string outside = test::ScratchFolder("newpic");
    main().TRF = Variant::Text(Picture(outside, "new.bmp", 30, 10));
    main().Raise("Command7", -1, Event::Click);
    EXPECT_EQ(Key("A", "3"), "new.bmp");
    EXPECT_EQ(test::ReadBytes(folder_.plugins() + "\\new.bmp"), test::ReadBytes(outside + "\\new.bmp"));
    EXPECT_TRUE(platform::FileExists(folder_.plugins() + "\\old.bmp"));

    // A picture that has gone missing is not passed over in silence.
    main().TRF = Variant::Text(outside + "\\gone.bmp");
    main().Raise("Command7", -1, Event::Click);
    EXPECT_NE(main().Panel(1), "Aに設定を上書きしました。");
    EXPECT_EQ(Key("A", "3"), "");

    // A picture named like one of the program's page pictures never replaces that picture.
    std::string page = test::ReadBytes(folder_.plugins() + "\\" + presets::kPageXp);
    main().TRF = Variant::Text(Picture(outside, "xp.JPG", 10, 10));
    main().Raise("Command7", -1, Event::Click);
    EXPECT_NE(main().Panel(1), "Aに設定を上書きしました。");
    EXPECT_EQ(Key("A", "3"), "");
    EXPECT_EQ(test::ReadBytes(folder_.plugins() + "\\" + presets::kPageXp), page);
    test::RemoveTree(outside);
}

TEST_F(Change, DeleteRenumbersAndRefillsBothLists) {
    struct Case {
        std::vector<std::string> index;
        std::vector<int> picks;
        std::vector<std::string> after;
    };
    for (const Case& c : {Case{{"A", "B", "C"}, {0}, {"B", "C"}}, Case{{"A", "B", "C"}, {1}, {"A", "C"}},
                          Case{{"A", "B", "C"}, {2}, {"A", "B"}}, Case{{"A"}, {0}, {}},
                          Case{{"A", "B", "C"}, {2, 0}, {"B"}}}) {
        test::RemoveTree(folder_.index());
        Index(c.index);
        for (const std::string& n : c.index) Seed(n, {n, "", "", "", "", "2", {}});
        Start();
        Delete(c.picks, [&](Form3& del) {
            EXPECT_TRUE(del.Loaded());  // stays open for further deletions
            EXPECT_EQ(Items(del.List1()), c.after);
        });
        std::string last = c.index[c.picks.back()];
        EXPECT_EQ(main().Panel(1), last + "を削除しました。");
        EXPECT_EQ(Items(main().List1()), c.after);
        EXPECT_EQ(presets::ReadIndex().names, c.after);
        EXPECT_EQ(main().WWW, Variant::Number(static_cast<long>(c.after.size()) + 1));
        EXPECT_EQ(Key(last, "1"), "");
        for (const std::string& n : c.after) EXPECT_EQ(Key(n, "1"), n);
    }
}

TEST_F(Change, DeleteWithNothingPickedOnlyClearsTheLabel) {
    Index({"A", "B"});
    Start();
    std::string before = test::ReadBytes(folder_.index());
    Open("SAKUZYORISU", [&](Form& f) {
        EXPECT_EQ(main().Panel(1), "削除したら戻せません。");
        auto& del = static_cast<Form3&>(f);
        del.List1().SetListIndex(1);
        del.Raise("List1", -1, Event::Click);
        del.List1().SetListIndex(-1);
        del.Raise("Command1", -1, Event::Click);
        EXPECT_EQ(del.Label2().Caption(), "");
        EXPECT_TRUE(del.Loaded());
    });
    EXPECT_EQ(test::ReadBytes(folder_.index()), before);
    EXPECT_EQ(main().Panel(1), "削除したら戻せません。");
}

TEST_F(Change, AnUnwritableIndexIsNeverReportedAsDone) {
    Index({"A", "B"});
    Seed("A", {"m", "n", "", "", "", "2", {}});
    Start();
    LockIndex();
    std::string before = test::ReadBytes(folder_.index());

    EXPECT_FALSE(Add("C"));
    EXPECT_EQ(main().Panel(1), "KAZE.iniに書き込めないため、Cをリストに追加できませんでした。");
    EXPECT_EQ(main().List1().ListCount(), 2);

    Select("A");
    main().Raise("Command7", -1, Event::Click);
    EXPECT_EQ(main().Panel(1), "KAZE.iniに書き込めないため、Aに設定を上書きできませんでした。");

    Delete({0});
    EXPECT_EQ(main().Panel(1), "KAZE.iniに書き込めないため、Aを削除できませんでした。");
    EXPECT_EQ(Items(main().List1()), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(test::ReadBytes(folder_.index()), before);
}

}  // namespace
}  // namespace kaza
