// The command line of a roll-out: its words, the silent apply against the window's own, going
// back, and the deployment folder with its Group Policy package.
#include <msxml2.h>

#include <map>
#include <string>
#include <vector>

#include "app/places.h"
#include "backup/regfile.h"
#include "backup/safety.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "presets/preset_fixture.h"
#include "rollout/export.h"
#include "rollout/rollout.h"

namespace kaza {
namespace {

using platform::Root;
using rollout::Command;

struct ArgCase {
    std::string line;  // as GetCommandLineA gives it, program name first
    Command command;
    std::string preset = "", folder = "", owner = "";
};

TEST(RolloutArguments, Table) {
    const std::string longName(1024, 'a');
    const std::vector<ArgCase> cases = {
        {"kaza.exe", Command::Window},
        {"\"C:\\a b\\kaza.exe\" /APPLY \"My PC\" /256 /owner \"A \\\"B\"\"\" /log x.log", Command::Apply, "My PC", "", "A \"B\""},
        // 表 ends in the byte 0x5C in Shift-JIS; split after conversion, it escapes no quote.
        {"kaza.exe /export \"表\" \"C:\\out\\\\\"", Command::Export, "表", "C:\\out\\"},
        {"kaza.exe /export x \"C:\\out\\\"", Command::Bad},
        {"kaza.exe /restore Original /copies D:\\c", Command::Restore},
        {"kaza.exe /restore", Command::Bad},
        {"kaza.exe /restore first", Command::Bad},
        {"kaza.exe /restore last /256", Command::Bad},
        {"kaza.exe /apply", Command::Bad},
        {"kaza.exe /apply /256", Command::Bad},
        {"kaza.exe /apply x /owner", Command::Bad},
        {"kaza.exe /apply x /owner a /owner b", Command::Bad},
        {"kaza.exe /apply x /256 /256", Command::Bad},
        {"kaza.exe /apply x /frobnicate", Command::Bad},
        {"kaza.exe /export x", Command::Bad},
        {"kaza.exe /export x \"\"", Command::Bad},
        {"kaza.exe /export x y /copies z", Command::Bad},
        {"kaza.exe /apply x /restore last", Command::Bad},
        {"kaza.exe apply x", Command::Bad},
        {"kaza.exe /REMOVE /log x.log /copies D:\\c", Command::Remove},
        {"kaza.exe /remove /owner x", Command::Bad},
        {"kaza.exe \"C:\\a b\\ロゴ.jpg\"", Command::Window},
        {"kaza.exe a.bmp b.bmp", Command::Bad},
        {"kaza.exe /apply " + longName, Command::Bad},
        {"kaza.exe /apply x /owner " + std::string(257, 'o'), Command::Bad},
        {"kaza.exe /export x C:\\out /share \\\\srv\\s\\kaza\\", Command::Export, "x", "C:\\out"},
        {"kaza.exe /export x C:\\out /share C:\\kaza", Command::Bad},  // then no server, no share, a quote
        {"kaza.exe /export x C:\\out /share \\\\\\s", Command::Bad},
        {"kaza.exe /export x C:\\out /share \\\\srv", Command::Bad},
        {"kaza.exe /export x C:\\out /share \"\\\\srv\\s\\a\\\"b\"", Command::Bad},
    };
    for (const ArgCase& c : cases) {
        SCOPED_TRACE(c.line);
        rollout::Request r = rollout::ParseArguments(rollout::SplitArguments(c.line));
        EXPECT_EQ(r.command, c.command);
        if (c.command == Command::Bad) {
            EXPECT_FALSE(r.problem.empty());
        }
        if (c.command == Command::Apply || c.command == Command::Export) {
            EXPECT_EQ(r.preset, c.preset);
            EXPECT_EQ(r.folder, c.folder);
            EXPECT_EQ(r.owner.value_or(""), c.owner);
        }
    }
    rollout::Request r = rollout::ParseArguments(rollout::SplitArguments("k /restore original /copies D:\\c"));
    EXPECT_EQ(r.restore, rollout::RestorePoint::Original);
    EXPECT_EQ(r.copies, "D:\\c");
    EXPECT_EQ(rollout::ParseArguments(rollout::SplitArguments("k \"C:\\a b\\ロゴ.jpg\"")).picture, "C:\\a b\\ロゴ.jpg");
}

// The items of a Group Policy settings file as the system's XML parser reads them (MSXML 3;
// Wine's own under Wine): per item the attributes of its Properties, of the item ("item.") and of
// the root ("root."), back in the ANSI code page. A file the parser refuses fails the test.
using Attrs = std::map<std::string, std::string>;
std::string Ansi(const wchar_t* w) {
    char text[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, w ? w : L"", -1, text, sizeof text, nullptr, nullptr);
    return text;
}
Attrs AttributesOf(IXMLDOMNode* node, Attrs into = {}, const std::string& prefix = "") {
    IXMLDOMNamedNodeMap* map = nullptr;
    long count = 0;
    if (node->get_attributes(&map) != S_OK) return into;
    map->get_length(&count);
    for (long i = 0; i < count; ++i) {
        IXMLDOMNode* a = nullptr;
        BSTR name = nullptr, text = nullptr;
        if (map->get_item(i, &a) == S_OK) a->get_nodeName(&name), a->get_text(&text), a->Release();
        into[prefix + Ansi(name)] = Ansi(text);
        SysFreeString(name), SysFreeString(text);
    }
    map->Release();
    return into;
}
std::vector<Attrs> ReadGpp(const std::string& path, const wchar_t* items) {
    std::vector<Attrs> out;
    CoInitialize(nullptr);
    const IID kDocument = {0x2933BF81, 0x7B36, 0x11d2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};  // IXMLDOMDocument
    CLSID clsid{};
    IXMLDOMDocument* doc = nullptr;
    IXMLDOMElement* root = nullptr;
    IXMLDOMNodeList* list = nullptr;
    wchar_t wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    VARIANT file{};
    file.vt = VT_BSTR, file.bstrVal = SysAllocString(wide);
    BSTR query = SysAllocString(items);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &clsid);
    if (CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kDocument, reinterpret_cast<void**>(&doc)) != S_OK)
        ADD_FAILURE() << "no XML parser";
    else if (doc->put_async(VARIANT_FALSE), doc->load(file, &loaded) != S_OK || loaded != VARIANT_TRUE)
        ADD_FAILURE() << path << " is not well-formed";
    else if (doc->get_documentElement(&root) == S_OK && doc->selectNodes(query, &list) == S_OK)
        for (IXMLDOMNode *n = nullptr, *item = nullptr; list->nextNode(&n) == S_OK && n; n->Release(), item->Release())
            n->get_parentNode(&item), out.push_back(AttributesOf(root, AttributesOf(item, AttributesOf(n), "item."), "root."));
    for (IUnknown* u : {static_cast<IUnknown*>(list), static_cast<IUnknown*>(root), static_cast<IUnknown*>(doc)})
        if (u) u->Release();
    SysFreeString(query), VariantClear(&file);
    CoUninitialize();
    return out;
}

class Rollout : public test::PresetTest {
protected:
    void SetUp() override {
        Index({"Shop PC", "工房"});
        Picture(folder_.plugins(), "shop.bmp", 60, 40);
        Seed("Shop PC", {"Maker & Co", "<Model>", "shop.bmp", "1", "", "3", {"tel 1", ""}});
        Seed("工房", {"株式会社カザグルマ工房", "K&<\"1", "shop.bmp", "1", "", "1", {"電話"}});
        presets::WriteValue("Shop PC", "SupportPhone", "03-0000");
        presets::WriteValue("Shop PC", "SupportURL", "https://example.com/?a&b");
        presets::WriteValue("Shop PC", "TradeinURL", "https://example.com/trade");
        for (const char* v : {places::kRegisteredOwner, places::kRegisteredOrganization, places::kProductId})
            test::SetText(Root::LocalMachine, kKey, v, "old");
        for (const char* s : {"win", "silent"}) system_.push_back(test::ScratchFolder(s));
        log_ = system_[1] + "\\..\\run.log";
        DeleteFileA(log_.c_str());
    }
    void TearDown() override {
        for (const std::string& s : system_) test::RemoveTree(s);
        test::RemoveTree(backup::SafetyFolder());
        backup::UseSafetyFolder("");
    }
    int Run(const std::string& line, int system = 1) {
        return rollout::RunSilently(rollout::ParseArguments(rollout::SplitArguments("k " + line + " /log " + log_)),
                                    [&](Form1& m) { m.Labe = Variant::Text(system_[system]); });
    }
    std::string Files(int system) {
        return test::ReadBytes(test::InfoIn(system_[system])) + "|" + test::ReadBytes(test::AppliedLogoIn(system_[system]));
    }
    // The preset applied in full colour through the window, to the first system folder.
    void ApplyInTheWindow() {
        Start().Labe = Variant::Text(system_[0]);
        Select("Shop PC");
        Open("Command4", [](ui::Form& f) { test::Click(f.C("Command1")); });
    }
    std::string Reg(const char* value) { return platform::RegReadText(Root::LocalMachine, kKey, value); }
    // What Vista and later read, with the system folder's name taken out of the logo's path.
    std::string Oem(int system) {
        std::string all;
        for (const char* v : test::kOemValues) {
            platform::RegValue r = platform::RegReadRaw(Root::LocalMachine, places::kOemInformationKey, v);
            all += std::string(v) + "=" + std::to_string(r.type) + ":" + (r.exists ? r.bytes : "-") + "|";
            platform::RegDeleteValueIn(Root::LocalMachine, places::kOemInformationKey, v).ok();
        }
        size_t at = all.find(system_[system]);
        if (at != std::string::npos) all.replace(at, system_[system].size(), "<system>");
        return all + test::ReadBytes(system_[system] + "\\" + places::kSmallLogoFile);
    }

    const std::string kKey = places::VersionKey(" NT");
    test::MachineSnapshot machine_;
    std::vector<std::string> system_;
    std::string log_;
};

TEST_F(Rollout, ApplyWritesWhatTheWindowWritesButKeepsTheProductId) {
    ApplyInTheWindow();
    const std::string oem = Oem(0);

    // Stored in a way the window would not write back as it found it.
    const char own[] = "this PC's own";
    ASSERT_TRUE(platform::RegWriteRaw(Root::LocalMachine, kKey, places::kProductId, REG_EXPAND_SZ, own, sizeof own));
    EXPECT_EQ(Run("/apply \"SHOP pc\" /org \"New Org\""), rollout::kEverythingWritten);
    EXPECT_EQ(Files(1), Files(0));
    EXPECT_NE(Files(1).find("Maker & Co"), std::string::npos);
    EXPECT_EQ(Oem(1), oem);
    platform::RegValue id = platform::RegReadRaw(Root::LocalMachine, kKey, places::kProductId);
    EXPECT_EQ(id.type, static_cast<unsigned long>(REG_EXPAND_SZ));
    EXPECT_EQ(id.bytes, std::string(own, sizeof own));
    EXPECT_EQ(Reg(places::kRegisteredOwner), "old");
    EXPECT_EQ(Reg(places::kRegisteredOrganization), "New Org");
    EXPECT_TRUE(dialogs_.messages.empty());
    const std::string log = test::ReadBytes(log_);
    EXPECT_NE(log.find(test::Sjis("oeminfo.ini: 成功\r\n")), std::string::npos) << log;
}

TEST_F(Rollout, FailuresNameTheirStepAndCodeOnlyWhatHappened) {
    EXPECT_EQ(Run("/apply Nobody"), rollout::kBadRequest);
    EXPECT_EQ(Run("/apply"), rollout::kBadRequest);
    EXPECT_FALSE(platform::FileExists(test::InfoIn(system_[1])));
    EXPECT_TRUE(backup::ListSafetyCopies().empty());

    // No place for the safety copies: nothing at all is written.
    const std::string blocked = system_[0] + "\\copies";
    test::WriteBytes(blocked, "a file where the folder should be");
    EXPECT_EQ(Run("/apply \"Shop PC\" /copies " + blocked), rollout::kNoSafetyCopy);
    EXPECT_FALSE(platform::FileExists(test::InfoIn(system_[1])));

    // A folder in the way of oeminfo.ini: that step fails, the others go on.
    CreateDirectoryA(test::InfoIn(system_[1]).c_str(), nullptr);
    EXPECT_EQ(Run("/apply \"Shop PC\""), rollout::kStepFailed);
    EXPECT_TRUE(platform::FileExists(test::AppliedLogoIn(system_[1])));
    EXPECT_NE(test::ReadBytes(log_).find(test::Sjis("oeminfo.ini: 失敗")), std::string::npos);
    RemoveDirectoryA(test::InfoIn(system_[1]).c_str());
}

TEST_F(Rollout, RestoreOriginalGivesBackTheFirstState) {
    test::WriteBytes(test::InfoIn(system_[1]), "[General]\r\nManufacturer=before\r\n");
    EXPECT_EQ(Run("/apply \"Shop PC\" /owner First"), rollout::kEverythingWritten);
    EXPECT_EQ(Run("/apply \"Shop PC\" /owner Second"), rollout::kEverythingWritten);
    EXPECT_EQ(Run("/restore last"), rollout::kEverythingWritten);
    EXPECT_EQ(Reg(places::kRegisteredOwner), "First");
    EXPECT_EQ(Run("/restore original"), rollout::kEverythingWritten);
    EXPECT_EQ(Reg(places::kRegisteredOwner), "old");
    EXPECT_EQ(test::ReadBytes(test::InfoIn(system_[1])), "[General]\r\nManufacturer=before\r\n");
    EXPECT_FALSE(platform::FileExists(test::AppliedLogoIn(system_[1])));
}

TEST_F(Rollout, RestoreRefusesACopyChangedOutsideTheProgram) {
    const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    test::DeleteValue(Root::LocalMachine, kRun, "Planted");  // left by an earlier run that wrote it
    EXPECT_EQ(Run("/apply \"Shop PC\" /owner First"), rollout::kEverythingWritten);
    const std::string reg = backup::ListSafetyCopies().back().folder + "\\values.reg";
    test::WriteBytes(reg, test::ReadBytes(reg) + "[HKEY_LOCAL_MACHINE\\" + kRun + "]\r\n\"Planted\"=\"C:\\\\planted.exe\"\r\n");
    EXPECT_EQ(Run("/restore original"), rollout::kStepFailed);
    EXPECT_FALSE(platform::RegReadRaw(Root::LocalMachine, kRun, "Planted").exists);
    EXPECT_EQ(Reg(places::kRegisteredOwner), "First");
    EXPECT_EQ(backup::ListSafetyCopies().size(), 1u);
    const std::string log = test::ReadBytes(log_);
    EXPECT_NE(log.find(test::Sjis("カザグルマの外で書き換えられています")), std::string::npos) << log;
    EXPECT_NE(log.find("Run\\Planted"), std::string::npos) << log;
}

// Every place a copy can hold that cannot be put back (files read-only, as another tool may
// leave them; a value the user may not change) is named with the system's code, never 成功.
TEST_F(Rollout, RestoreNamesEachPlaceItCouldNotPutBack) {
    struct Case {
        std::string name;
        bool fileBefore;  // a file: installed before the apply (put back by copying) or not (removed)
    };
    std::vector<Case> cases = {{places::kInfoFile, true}, {places::kLogoCopyFile, false}, {places::kRegisteredOwner, false}};
    if (std::string(KAZA_TEST_WINDOWS) == "win10") cases.push_back({places::kSmallLogoFile, false});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = system_[1] + "\\" + c.name;
        test::RemoveTree(backup::SafetyFolder());
        if (c.fileBefore) test::WriteBytes(path, "[General]\r\n");
        ASSERT_EQ(Run("/apply \"Shop PC\""), rollout::kEverythingWritten);
        if (c.name.find('.') != std::string::npos) ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        else platform::SetWriteRefusalForTesting([&](Root, std::string_view, std::string_view v) { return v == c.name; });
        DeleteFileA(log_.c_str());

        EXPECT_EQ(Run("/restore original"), rollout::kStepFailed);
        const std::string log = test::ReadBytes(log_);
        EXPECT_NE(log.find(test::Sjis(" " + c.name + ": 失敗 (エラー 5")), std::string::npos) << log;
        EXPECT_EQ(log.find(test::Sjis(" " + c.name + ": 成功")), std::string::npos) << log;
        platform::SetWriteRefusalForTesting(nullptr);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(Rollout, ExportHoldsTheAppliedFilesAndOnlyTheGivenRegistration) {
    ApplyInTheWindow();

    const std::string out = system_[1] + "\\out";
    EXPECT_EQ(Run("/export \"Shop PC\" " + out + " /owner \"A&B\""), rollout::kEverythingWritten);
    EXPECT_EQ(test::ReadBytes(test::InfoIn(out)) + "|" + test::ReadBytes(test::AppliedLogoIn(out)), Files(0));
    std::vector<backup::SavedValue> values;
    ASSERT_TRUE(backup::ParseRegFile(test::ReadBytes(out + "\\oem.reg"), values));
    std::string names;
    for (const backup::SavedValue& v : values) names += v.place.name + " ";
    EXPECT_EQ(names, "RegisteredOwner RegisteredOwner Manufacturer Model SupportPhone SupportHours SupportURL Logo "
                     "SupportProvider SupportAppURL TradeinURL RecycleURL ");
    EXPECT_FALSE(values[5].value.exists);  // no hours: Apply removes the value
    // Without a share: Registry.xml and the readme, but no Files.xml and no files to put on a share.
    const std::string gp = out + "\\GroupPolicy\\";
    EXPECT_TRUE(platform::FileExists(gp + "Registry.xml") && platform::FileExists(gp + "readme.txt"));
    EXPECT_FALSE(platform::FileExists(gp + "Files.xml") || platform::FileExists(gp + places::kLogoFile));
    const std::string xml = test::ReadBytes(out + "\\unattend.xml");
    EXPECT_NE(xml.find("<RegisteredOwner>A&amp;B</RegisteredOwner>"), std::string::npos);
    EXPECT_NE(xml.find("<Model>&lt;Model&gt;</Model>"), std::string::npos);
    EXPECT_EQ(xml.find("RegisteredOrganization"), std::string::npos);
    EXPECT_EQ(xml.find("SupportHours"), std::string::npos);
    EXPECT_NE(xml.find("<SupportURL>https://example.com/?a&amp;b</SupportURL>\r\n"
                       "        <TradeinURL>https://example.com/trade</TradeinURL>"), std::string::npos);
}

// Registry.xml holds, item by item and in its order, what oem.reg sets (U) and removes (D) for
// the NT family and Vista and later; texts go from the ANSI code page to UTF-8 and back unchanged.
// Files.xml copies each file of the folder from the share.
TEST_F(Rollout, GroupPolicyItemsAreWhatOemRegSetsAndRemoves) {
    const std::string out = system_[1] + "\\gp", gp = out + "\\GroupPolicy\\", share = "\\\\srv\\配布\\kaza";
    for (const char* preset : {"Shop PC", "工房"}) {
        SCOPED_TRACE(preset);
        test::RemoveTree(out);
        ASSERT_EQ(Run(std::string("/export \"") + preset + "\" " + out + " /org \"A&B\" /share " + share),
                  rollout::kEverythingWritten);
        std::vector<backup::SavedValue> values;
        ASSERT_TRUE(backup::ParseRegFile(test::ReadBytes(out + "\\oem.reg"), values));
        std::vector<std::string> set, items;
        for (const backup::SavedValue& v : values)  // but those only 98 to Me read
            if (v.place.key != places::VersionKey(""))
                set.push_back(v.place.key + "|" + v.place.name + (v.value.exists ? "|U|" + std::string(v.value.bytes.c_str()) : "|D|"));
        Attrs uids;  // as keys
        for (Attrs m : ReadGpp(gp + "Registry.xml", L"/RegistrySettings/Registry/Properties")) {
            items.push_back(m["key"] + "|" + m["name"] + "|" + m["action"] + "|" + m["value"]);
            EXPECT_EQ(m["hive"] + m["type"] + m["root.clsid"], "HKEY_LOCAL_MACHINEREG_SZ{A3CCFC41-DFDB-43a5-8D26-0FE8B954DA51}");
            uids[m["item.uid"]];
        }
        EXPECT_EQ(items, set);  // 工房's maker and model came back byte for byte
        EXPECT_EQ(uids.size(), items.size());
        std::string names;
        for (Attrs m : ReadGpp(gp + "Files.xml", L"/Files/File/Properties")) {
            const std::string name = m["targetPath"].substr(m["targetPath"].rfind('\\') + 1);
            names += name + " ";
            EXPECT_EQ(m["action"] + "|" + m["fromPath"] + "|" + m["targetPath"],
                      "U|" + test::Sjis(share) + "\\" + name + "|%windir%\\System32\\" + name);
            EXPECT_EQ(test::ReadBytes(gp + name), test::ReadBytes(out + "\\" + name));
        }
        EXPECT_EQ(names, std::string("oeminfo.ini OEMLOGO.BMP ") + places::kSmallLogoFile + " ");
    }
}

// A share the PCs could not copy from is refused before anything is written: on the command
// line, by the export itself, and in the export window, which stays open and says why.
TEST_F(Rollout, ARefusedShareWritesNothing) {
    const std::string out = system_[1] + "\\refused";
    EXPECT_EQ(Run("/export \"Shop PC\" " + out + " /share C:\\kaza"), rollout::kBadRequest);
    Start();
    Select("Shop PC");
    EXPECT_FALSE(rollout::ExportSettings(main(), out, apply::LogoDepth::FullColour, {}, "\\\\srv\\a|b").front().outcome);
    auto exportWith = [&](const char* share) {  // what the window says to 次へ; then キャンセル
        std::string told;
        test::ModalScope modal([&](ui::Form& f) {
            f.C("Text1").SetText(share);
            test::Click(f.C("Command1"));
            if (f.Loaded()) told = f.C("Label3").Caption(), test::Click(f.C("Command2"));
        });
        test::ClickMenu(main(), "HAIHU");
        return told;
    };
    dialogs_.browseAnswers = {out};
    EXPECT_NE(exportWith("\\\\srv").find("共有の名前がありません"), std::string::npos);
    EXPECT_FALSE(platform::FolderExists(out));
    // The share the window took is the one Files.xml names.
    EXPECT_EQ(exportWith("\\\\srv\\s"), "");
    EXPECT_NE(test::ReadBytes(out + "\\GroupPolicy\\Files.xml").find("fromPath=\"\\\\srv\\s\\OEMLOGO.BMP\""), std::string::npos);
}

}  // namespace
}  // namespace kaza
