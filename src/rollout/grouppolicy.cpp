#include "rollout/grouppolicy.h"

#include <windows.h>
#include <objbase.h>

#include <vector>

#include "app/places.h"
#include "platform/files.h"
#include "platform/replace.h"
#include "platform/text.h"
#include "rollout/export.h"

namespace kaza::rollout {
namespace {

using platform::Outcome;

// The class ids of the settings files, from Microsoft's [MS-GPPREF] (Group Policy: Preferences
// Extension Data Structure): section 2.2.1.1.2 (the table of outer and inner element names and
// their CLSIDs); the Registry item as in the XML sample of section 4.2.22.
constexpr const char* kRegistrySettingsClsid = "{A3CCFC41-DFDB-43a5-8D26-0FE8B954DA51}";
constexpr const char* kRegistryClsid = "{9CD4B2F4-923D-47f5-A062-E897DD1DAD50}";
constexpr const char* kFilesClsid = "{215B2E53-57CE-475c-80FE-9EEC14635851}";
constexpr const char* kFileClsid = "{50BE44C8-567A-4ed1-B1D0-9234FE1F38AF}";

// The pictures the console shows for an item. A string value: 7 update, 8 delete; a file: 2
// update (the sample's REG_DWORD update is 12, each kind's four actions in the order C R U D).
constexpr const char* kImageStringUpdate = "7";
constexpr const char* kImageStringDelete = "8";
constexpr const char* kImageFileUpdate = "2";

// The Files extension runs as the PC itself and expands environment variables in its paths.
constexpr const char* kTargetFolder = "%windir%\\System32";

std::string Attribute(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + XmlText(value) + "\"";
}

// The time an item was last changed as the console writes it, in UTC.
std::string Changed() {
    SYSTEMTIME t;
    GetSystemTime(&t);
    char text[32];
    wsprintfA(text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

// A fresh uid per item: the console tells its items apart by them.
std::string FreshUid() {
    GUID g{};
    if (FAILED(CoCreateGuid(&g))) {
        // Still unique within the file and the day: a counter and the time.
        static unsigned long counter = 0;
        SYSTEMTIME t;
        GetSystemTime(&t);
        g.Data1 = ++counter;
        g.Data2 = static_cast<WORD>(t.wHour * 60 + t.wMinute);
        g.Data3 = static_cast<WORD>(t.wSecond * 1000 + t.wMilliseconds);
    }
    char text[40];
    wsprintfA(text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned long>(g.Data1),
              g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
              g.Data4[7]);
    return text;
}

// One inner element with its Properties, as [MS-GPPREF] 2.2.1.1 gives every preference item:
// name, status, image, changed and uid on the item, the settings on Properties.
std::string Item(const char* element, const char* clsid, const std::string& name, const char* image,
                 const std::string& properties, const std::string& changed) {
    return std::string("\t<") + element + Attribute("clsid", clsid) + Attribute("name", name) +
           Attribute("status", name) + Attribute("image", image) + Attribute("changed", changed) +
           Attribute("uid", FreshUid()) + "><Properties" + properties + "/></" + element + ">";
}

bool IsPathCharacter(unsigned char c) {
    return c >= 0x20 && c != 0x7F && c != '<' && c != '>' && c != ':' && c != '"' && c != '/' && c != '|' &&
           c != '?' && c != '*';
}

}  // namespace

std::string ShareProblem(const std::string& share) {
    if (share.empty()) return {};
    const std::string what = "共有フォルダ「" + share + "」";
    if (share.size() < 2 || share[0] != '\\' || share[1] != '\\')
        return what + "は \\\\サーバー\\共有 の形で指定してください (ドライブ文字は使えません)。";
    for (char c : share)
        if (!IsPathCharacter(static_cast<unsigned char>(c)))
            return what + "には使えない文字 (\" < > : | ? * / や制御文字) が入っています。";
    // Server, share and any folders below: none of them empty; one closing backslash is allowed.
    std::string rest = share.substr(2);
    if (!rest.empty() && rest.back() == '\\') rest.pop_back();
    std::vector<std::string> parts{""};
    for (char c : rest) c == '\\' ? parts.push_back("") : parts.back().push_back(c);
    if (parts[0].empty()) return what + "にはサーバーの名前がありません。";
    if (parts.size() < 2 || parts[1].empty()) return what + "には共有の名前がありません。";
    for (const std::string& p : parts)
        if (p.empty() || p == "." || p == "..") return what + "には空のフォルダ名か「.」「..」が入っています。";
    // The longest path an item names, the share and a file of the folder, must fit MAX_PATH.
    if (platform::ToAnsi(share).size() + 1 + 32 >= MAX_PATH) return what + "は長すぎます。";
    return {};
}

// [MS-GPPREF] 2.2.1.1.2 (the outer and inner elements and their CLSIDs) and the Registry item of
// the sample in 4.2.22: the Properties attributes action, hive, key, name, type and value, with
// default and displayDecimal as the console writes them for a string value.
std::string GppRegistryText(const Plan& plan) {
    const std::string changed = Changed();
    std::vector<std::string> lines = {"<?xml version=\"1.0\" encoding=\"utf-8\"?>",
                                      std::string("<RegistrySettings clsid=\"") + kRegistrySettingsClsid + "\">"};
    for (const Place& p : plan.places) {
        if (p.file || p.action == Action::Leave) continue;
        const bool removed = p.action == Action::Remove;
        const std::string properties = Attribute("action", removed ? "D" : "U") + Attribute("displayDecimal", "0") +
                                       Attribute("default", "0") + Attribute("hive", "HKEY_LOCAL_MACHINE") +
                                       Attribute("key", p.key) + Attribute("name", p.name) +
                                       Attribute("type", "REG_SZ") + Attribute("value", removed ? "" : p.text);
        lines.push_back(Item("Registry", kRegistryClsid, p.name, removed ? kImageStringDelete : kImageStringUpdate,
                             properties, changed));
    }
    lines.push_back("</RegistrySettings>");
    return Join(lines);
}

// [MS-GPPREF] 2.2.1.6 (Files): the Properties attributes action, fromPath and targetPath, both
// required; the optional file attributes are left to the extension's defaults.
std::string GppFilesText(const Plan& plan, const std::string& share) {
    const std::string changed = Changed();
    const std::string from = !share.empty() && share.back() == '\\' ? share : share + "\\";
    std::vector<std::string> lines = {"<?xml version=\"1.0\" encoding=\"utf-8\"?>",
                                      std::string("<Files clsid=\"") + kFilesClsid + "\">"};
    for (const Place& p : plan.places) {
        if (!p.file || p.action != Action::Write) continue;
        const std::string properties = Attribute("action", "U") + Attribute("fromPath", from + p.file) +
                                       Attribute("targetPath", std::string(kTargetFolder) + "\\" + p.file);
        lines.push_back(Item("File", kFileClsid, p.file, kImageFileUpdate, properties, changed));
    }
    lines.push_back("</Files>");
    return Join(lines);
}

std::string GppReadmeText(const Plan& plan, const std::string& share) {
    std::string files;
    for (const Place& p : plan.places)
        if (p.file && p.action == Action::Write) files += (files.empty() ? "" : ", ") + std::string(p.file);
    std::vector<std::string> lines = {
        "カザグルマで書き出したグループポリシー (基本設定) 用のファイル",
        "",
        "  Registry.xml",
        "    メーカー情報 (OEMInformation) と、書き出すときに指定した使用者名・組織名の",
        "    レジストリ項目です。値は oem.reg と同じで、空のサポート情報は「削除」の項目です。",
        "    GPMC (グループ ポリシーの管理) で GPO を編集し、",
        "    [コンピューターの構成]→[基本設定]→[Windows の設定]→[レジストリ] を開きます。",
        "    Registry.xml をメモ帳で開いて全体をコピーし、右側の一覧に貼り付けます (Ctrl+V)。",
        "    64ビット版Windowsでは、HKLM\\SOFTWARE の項目は64ビットのビュー",
        "    (Windowsがメーカー情報を読む場所) に書き込まれます。",
    };
    if (share.empty()) {
        lines.insert(lines.end(), {
            "  Files.xml はありません",
            "    書き出すときに共有フォルダを指定しなかったので、ロゴと oeminfo.ini をコピーする",
            "    項目は作っていません。ロゴは install.bat など別の方法でシステムフォルダに",
            "    コピーしてください。共有フォルダを指定して書き出すと Files.xml もできます。",
        });
    } else {
        lines.insert(lines.end(), {
            "  Files.xml",
            "    ロゴと oeminfo.ini を次の共有フォルダから各PCのシステムフォルダにコピーする項目です。",
            "      " + share,
            "    同じ GPO の [コンピューターの構成]→[基本設定]→[Windows の設定]→[ファイル] に",
            "    Registry.xml と同じように貼り付けます。",
            "  " + files,
            "    上の共有フォルダに置くファイルです。コピーはPCのアカウントで行われるので、",
            "    共有とフォルダの両方で Domain Computers に読み取りを許可してください。",
        });
    }
    lines.insert(lines.end(), {
        "",
        "  レジストリの Logo の値はロゴの場所を " + std::string(kTargetSystem) + "\\" + places::kSmallLogoFile,
        "  と書いているので、Windows が C:\\Windows 以外にあるPCには合いません。",
        "",
        "  確かめ方",
        "    対象のPCで、管理者のコマンドプロンプトから gpupdate /force を実行してから",
        "    gpresult /h result.html を実行し、result.html を開きます。",
        "    [コンピューターの構成] の「基本設定」に、この GPO の「レジストリ」と",
        "    「ファイル」の項目が、それぞれ成功として出ていれば反映されています。",
    });
    return platform::ToAnsi(Join(lines));
}

void WriteGroupPolicy(const Plan& plan, const std::string& base, const std::string& share,
                      platform::Steps& steps) {
    const std::string folder = base + kGroupPolicyFolder;
    const std::string row = std::string(kGroupPolicyFolder) + "\\";
    if (Outcome made = platform::CreateFolder(folder); !made) {
        steps.push_back({row, "", made});
        return;
    }
    auto in = [&](const std::string& name) { return folder + "\\" + name; };
    steps.push_back({row + kGppRegistryFile, "", platform::WriteWholeFile(in(kGppRegistryFile), GppRegistryText(plan))});
    if (!share.empty()) {
        steps.push_back({row + kGppFilesFile, "", platform::WriteWholeFile(in(kGppFilesFile), GppFilesText(plan, share))});
        // The same bytes as the folder's own copies, made once above: copied, not made again.
        for (const Place& p : plan.places)
            if (p.file && p.action == Action::Write)
                steps.push_back({row + p.file, "", platform::CopyFileInPlace(base + p.file, in(p.file))});
    }
    steps.push_back({row + kReadmeFile, "", platform::WriteWholeFile(in(kReadmeFile), GppReadmeText(plan, share))});
}

}  // namespace kaza::rollout
