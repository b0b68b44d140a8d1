// The command line of a roll-out: its words, the silent apply against the window's own, going
// back, and the deployment folder with its Group Policy package.
#include <windows.h>
#include <msxml2.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/places.h"
#include "backup/regfile.h"
#include "backup/safety.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "presets/preset_fixture.h"
#include "platform/text.h"
#include "rollout/export.h"
#include "rollout/exportform.h"
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
        {"kaza.exe /apply x /share \\\\srv\\s", Command::Bad},
        {"kaza.exe /export x C:\\out /share \\\\srv\\s /share \\\\srv\\s", Command::Bad},
        // Refused shares: a drive letter, no server, no share, an empty folder, a quote.
        {"kaza.exe /export x C:\\out /share C:\\kaza", Command::Bad},
        {"kaza.exe /export x C:\\out /share \\\\\\s", Command::Bad},
        {"kaza.exe /export x C:\\out /share \\\\srv", Command::Bad},
        {"kaza.exe /export x C:\\out /share \\\\srv\\s\\\\k", Command::Bad},
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
    EXPECT_EQ(rollout::ParseArguments(rollout::SplitArguments("k /export x y /share \\\\s\\t")).share, "\\\\s\\t");
}

// A settings file of Group Policy Preferences as the system's XML parser reads it (MSXML 3;
// Wine's own under Wine): the root's clsid, then per item its clsid and uid and the attributes of
// its Properties, every text converted back to the ANSI code page. A file the parser refuses
// fails the test.
struct GppFile {
    std::string clsid;
    std::vector<std::map<std::string, std::string>> items;  // "item.clsid", "item.uid", then Properties
};
template <class T>
struct Com {
    T* p = nullptr;
    ~Com() { if (p) p->Release(); }
    T* operator->() const { return p; }
};
std::string Ansi(BSTR text) {
    const int n = text ? WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr) : 0;
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], n, nullptr, nullptr);
    SysFreeString(text);
    return out;
}
std::string Attr(IXMLDOMNode* node, const wchar_t* name) {
    Com<IXMLDOMNamedNodeMap> attrs;
    Com<IXMLDOMNode> a;
    BSTR text = nullptr;
    BSTR n = SysAllocString(name);
    if (node->get_attributes(&attrs.p) == S_OK && attrs->getNamedItem(n, &a.p) == S_OK) a->get_text(&text);
    SysFreeString(n);
    return text ? Ansi(text) : "<absent>";
}
void ReadGppIn(const std::string& path, const char* root, const wchar_t* items, GppFile& f) {
    CLSID clsid;
    IID iid;
    Com<IXMLDOMDocument> doc;
    if (FAILED(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &clsid)) ||
        FAILED(IIDFromString(const_cast<wchar_t*>(L"{2933BF81-7B36-11d2-B20E-00C04F983E60}"), &iid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, reinterpret_cast<void**>(&doc.p)))) {
        ADD_FAILURE() << "no XML parser";
        return;
    }
    doc->put_async(VARIANT_FALSE);
    std::wstring wide(path.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1);
    VARIANT source;
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(wide.c_str());
    VARIANT_BOOL loaded = VARIANT_FALSE;
    doc->load(source, &loaded);
    VariantClear(&source);
    Com<IXMLDOMElement> top;
    Com<IXMLDOMNodeList> list;
    BSTR rootName = nullptr, query = SysAllocString(items);
    if (loaded != VARIANT_TRUE || doc->get_documentElement(&top.p) != S_OK) {
        Com<IXMLDOMParseError> error;
        BSTR why = nullptr;
        if (doc->get_parseError(&error.p) == S_OK) error->get_reason(&why);
        ADD_FAILURE() << path << " is not well-formed: " << Ansi(why);
    } else if (top->get_nodeName(&rootName), Ansi(rootName) != root) {
        ADD_FAILURE() << path << " has another root";
    } else if (doc->selectNodes(query, &list.p) == S_OK) {
        f.clsid = Attr(top.p, L"clsid");
        for (IXMLDOMNode* n = nullptr; list->nextNode(&n) == S_OK && n; n->Release()) {
            Com<IXMLDOMNode> item;
            n->get_parentNode(&item.p);
            std::map<std::string, std::string> m = {{"item.clsid", Attr(item.p, L"clsid")}, {"item.uid", Attr(item.p, L"uid")}};
            for (const wchar_t* a : {L"action", L"hive", L"key", L"name", L"type", L"value", L"fromPath", L"targetPath"}) {
                std::string v = Attr(n, a);
                if (v != "<absent>") m[Ansi(SysAllocString(a))] = v;
            }
            f.items.push_back(m);
        }
    }
    SysFreeString(query);
}
GppFile ReadGpp(const std::string& path, const char* root, const wchar_t* items) {
    GppFile f;
    const HRESULT com = CoInitialize(nullptr);
    ReadGppIn(path, root, items, f);
    if (SUCCEEDED(com)) CoUninitialize();
    return f;
}

class Rollout : public test::PresetTest {
protected:
    void SetUp() override {
        Index({"Shop PC", "工房"});
        Picture(folder_.plugins(), "shop.bmp", 60, 40);
        Seed("Shop PC", {"Maker & Co", "<Model>", "shop.bmp", "1", "", "3", {"tel 1", ""}});
        Seed("工房", {"株式会社カザグルマ工房", "K&<\"1", "shop.bmp", "1", "", "1", {"電話"}});
        presets::WriteValue("Shop PC", presets::key::kSupportPhone, "03-0000");
        presets::WriteValue("Shop PC", presets::key::kSupportUrl, "https://example.com/?a&b");
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
        for (const char* v : places::kOemValues) {
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
    EXPECT_EQ(names, "RegisteredOwner RegisteredOwner Manufacturer Model SupportPhone SupportHours SupportURL Logo ");
    EXPECT_FALSE(values[5].value.exists);  // no hours: Apply removes the value
    const std::string xml = test::ReadBytes(out + "\\unattend.xml");
    EXPECT_NE(xml.find("<RegisteredOwner>A&amp;B</RegisteredOwner>"), std::string::npos);
    EXPECT_NE(xml.find("<Model>&lt;Model&gt;</Model>"), std::string::npos);
    EXPECT_EQ(xml.find("RegisteredOrganization"), std::string::npos);
    EXPECT_EQ(xml.find("SupportHours"), std::string::npos);
    EXPECT_NE(xml.find("<SupportURL>https://example.com/?a&amp;b</SupportURL>"), std::string::npos);
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
        for (const backup::SavedValue& v : values) {
            if (v.place.key == places::VersionKey("")) continue;  // read by 98 to Me only
            const std::string& b = v.value.bytes;
            set.push_back(v.place.key + "|" + v.place.name + "|" + (v.value.exists ? "U|" + b.substr(0, b.size() - 1) : "D|"));
        }
        const GppFile reg = ReadGpp(gp + "Registry.xml", "RegistrySettings", L"/RegistrySettings/Registry/Properties");
        std::set<std::string> uids;
        for (std::map<std::string, std::string> m : reg.items) {
            items.push_back(m["key"] + "|" + m["name"] + "|" + m["action"] + "|" + m["value"]);
            EXPECT_EQ(m["hive"] + " " + m["type"], "HKEY_LOCAL_MACHINE REG_SZ");
            EXPECT_EQ(m["item.clsid"].size(), 38u);
            uids.insert(m["item.uid"]);
        }
        EXPECT_EQ(items, set);
        EXPECT_EQ(uids.size(), items.size());
        EXPECT_EQ(reg.clsid.size(), 38u);
        if (std::string(preset) == "工房") {
            EXPECT_NE(test::ReadBytes(gp + "Registry.xml").find("value=\"株式会社カザグルマ工房\""), std::string::npos);
            EXPECT_NE(items[1].find("|Manufacturer|U|" + test::Sjis("株式会社カザグルマ工房")), std::string::npos) << items[1];
            EXPECT_NE(items[2].find("|Model|U|K&<\"1"), std::string::npos) << items[2];
        }

        const GppFile files = ReadGpp(gp + "Files.xml", "Files", L"/Files/File/Properties");
        std::string names;
        for (std::map<std::string, std::string> m : files.items) {
            const std::string name = m["targetPath"].substr(m["targetPath"].rfind('\\') + 1);
            names += name + " ";
            EXPECT_EQ(m["action"] + "|" + m["fromPath"] + "|" + m["targetPath"],
                      "U|" + test::Sjis(share) + "\\" + name + "|%windir%\\System32\\" + name);
            EXPECT_EQ(test::ReadBytes(gp + name), test::ReadBytes(out + "\\" + name));
        }
        EXPECT_EQ(names, std::string("oeminfo.ini OEMLOGO.BMP ") + places::kSmallLogoFile + " ");
    }
    // Without a share: no Files.xml, and no files to put on one.
    test::RemoveTree(out);
    ASSERT_EQ(Run("/export \"Shop PC\" " + out), rollout::kEverythingWritten);
    EXPECT_TRUE(platform::FileExists(gp + "Registry.xml"));
    EXPECT_TRUE(platform::FileExists(gp + "readme.txt"));
    EXPECT_FALSE(platform::FileExists(gp + "Files.xml"));
    EXPECT_FALSE(platform::FileExists(gp + places::kLogoFile));
}

// A share the PCs could not copy from is refused before anything is written: on the command
// line, in the export window (which stays open and says why) and by the export itself.
TEST_F(Rollout, ARefusedShareWritesNothing) {
    const std::string out = system_[1] + "\\refused";
    EXPECT_EQ(Run("/export \"Shop PC\" " + out + " /share C:\\kaza"), rollout::kBadRequest);
    EXPECT_FALSE(platform::FolderExists(out));

    Start();
    Select("Shop PC");
    EXPECT_FALSE(rollout::ExportSettings(main(), out, apply::LogoDepth::FullColour, {}, "\\\\srv\\a|b").front().outcome);
    EXPECT_FALSE(platform::FolderExists(out));

    dialogs_.browseAnswers = {out};
    std::string told;
    {
        test::ModalScope modal([&](ui::Form& f) {
            f.C("Text1").SetText("\\\\srv");
            test::Click(f.C("Command1"));
            told = f.C("Label3").Caption();
            if (f.Loaded()) test::Click(f.C("Command2"));
        });
        test::ClickMenu(main(), "HAIHU");
    }
    EXPECT_NE(told.find("共有の名前がありません"), std::string::npos) << told;
    EXPECT_TRUE(dialogs_.browseTitles.empty());
    EXPECT_FALSE(platform::FolderExists(out));

    // The share the window took is the one Files.xml names.
    {
        test::ModalScope modal([&](ui::Form& f) {
            f.C("Text1").SetText("\\\\srv\\s");
            test::Click(f.C("Command1"));
        });
        test::ClickMenu(main(), "HAIHU");
    }
    EXPECT_NE(test::ReadBytes(out + "\\GroupPolicy\\Files.xml").find("fromPath=\"\\\\srv\\s\\OEMLOGO.BMP\""), std::string::npos);
}

}  // namespace
}  // namespace kaza
