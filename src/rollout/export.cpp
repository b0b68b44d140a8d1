#include "rollout/export.h"

#include <windows.h>

#include <algorithm>
#include <map>

#include "app/form1.h"
#include "app/maker.h"
#include "app/places.h"
#include "backup/regfile.h"
#include "platform/files.h"
#include "platform/text.h"
#include "rollout/grouppolicy.h"

namespace kaza::rollout {
namespace {

using platform::Outcome;

constexpr const char* kSmallLogoFile = places::kSmallLogoFile;

backup::SavedValue Text(const std::string& key, const char* name, const std::string& value) {
    platform::RegValue v;
    v.exists = true;
    v.type = REG_SZ;
    v.bytes = platform::ToAnsi(value) + '\0';
    return {{platform::Root::LocalMachine, key, name}, v};
}

// The plan's OEMInformation values, in its order.
std::vector<const Place*> OemPlaces(const Plan& plan) {
    std::vector<const Place*> oem;
    for (const Place& p : plan.places)
        if (!p.file && p.key == places::kOemInformationKey) oem.push_back(&p);
    return oem;
}

}  // namespace

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return text;
}

// Text of an XML element or attribute: the five special characters as entities, a tab as a character
// reference (an attribute would read it as a blank), and the control characters XML 1.0 cannot
// carry at all left out.
std::string XmlText(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            if (c == '\t') out += "&#9;";
            else if (static_cast<unsigned char>(c) >= 0x20) out += c;
        }
    }
    return out;
}

Plan ExportPlan(Form1& main, apply::LogoDepth depth, const Registration& reg) {
    Plan plan = apply::ApplyPlan(main, depth, {kTargetSystem, " NT", true, true});
    // Of the values outside OEMInformation only the registration given goes out.
    for (Place& p : plan.places) {
        if (p.file || p.key == places::kOemInformationKey) continue;
        const std::optional<std::string>& given = p.name == places::kRegisteredOwner          ? reg.owner
                                                  : p.name == places::kRegisteredOrganization ? reg.org
                                                                                              : std::nullopt;
        if (given) p.text = *given, p.action = Action::Write;
        else p.action = Action::Leave;
    }
    return plan;
}

std::string OemRegText(const Plan& plan, const Registration& reg) {
    std::vector<backup::SavedValue> values;
    // The family of the PC that imports the file is not known here: each family reads its own key
    // and leaves the other alone.
    for (const char* syt : {"", " NT"}) {
        const std::string key = places::VersionKey(syt);
        if (reg.owner) values.push_back(Text(key, places::kRegisteredOwner, *reg.owner));
        if (reg.org) values.push_back(Text(key, places::kRegisteredOrganization, *reg.org));
    }
    for (const Place* p : OemPlaces(plan)) {
        if (p->action == Action::Leave) continue;
        values.push_back(Text(p->key, p->name.c_str(), p->text));
        values.back().value.exists = p->action == Action::Write;  // "=-": regedit removes it
    }
    return backup::RegFileText(values);
}

std::string InstallBatText() {
    const std::string logo = places::kLogoFile, info = places::kInfoFile, small = kSmallLogoFile;
    return platform::ToAnsi(Join({
        "@echo off",
        "rem カザグルマ: OEM情報のファイルをシステムフォルダにコピーし、oem.reg を取り込みます。",
        "if \"%OS%\"==\"Windows_NT\" goto nt",
        "rem Windows 95/98/Me: このフォルダをカレントにして実行します。",
        "if not exist oem.reg goto nofiles",
        "if not exist " + info + " goto nofiles",
        "if not exist " + logo + " goto nofiles",
        "copy /y " + info + " %windir%\\system\\" + info + " >nul",
        "copy /y " + logo + " %windir%\\system\\" + logo + " >nul",
        "if not exist %windir%\\system\\" + info + " goto failed",
        "if not exist %windir%\\system\\" + logo + " goto failed",
        "regedit /s oem.reg",
        "goto end",
        ":nofiles",
        "echo 書き出したファイルが見つかりません。install.bat のあるフォルダで実行してください。",
        "goto end",
        ":failed",
        "echo システムフォルダにコピーできませんでした。",
        "goto end",
        ":nt",
        "rem 64ビット版Windowsで32ビットのcmdから呼ばれたときは、本物のSystem32に届く64ビットのcmdでやり直します。",
        "if exist %windir%\\Sysnative\\cmd.exe goto wow64",
        "setlocal",
        "pushd \"%~dp0\"",
        "if not exist oem.reg goto ntnofiles",
        "copy /y " + info + " \"%windir%\\system32\\" + info + "\" >nul",
        "if errorlevel 1 goto ntfailed",
        "copy /y " + logo + " \"%windir%\\system32\\" + logo + "\" >nul",
        "if errorlevel 1 goto ntfailed",
        "if exist " + small + " copy /y " + small + " \"%windir%\\system32\\" + small + "\" >nul",
        "if errorlevel 1 goto ntfailed",
        "\"%windir%\\regedit.exe\" /s oem.reg",
        "if errorlevel 1 goto ntfailed",
        "rem oem.reg のロゴの場所は C:\\Windows のときだけ正しいので、XP以降はこのPCの本当の場所に直します。",
        "if not exist " + small + " goto ntdone",
        "if not exist \"%windir%\\system32\\reg.exe\" goto ntdone",
        "\"%windir%\\system32\\reg.exe\" add \"HKLM\\" + std::string(places::kOemInformationKey) + "\" /v " +
            LogoDetail().value + " /t REG_SZ /d \"%windir%\\system32\\" + small + "\" /f >nul",
        "if errorlevel 1 goto ntfailed",
        ":ntdone",
        "popd",
        "endlocal",
        "exit /b 0",
        ":ntnofiles",
        "echo oem.reg が見つかりません。",
        "popd",
        "endlocal",
        "exit /b 1",
        ":ntfailed",
        "echo システムフォルダに書き込めませんでした。管理者として実行してください。",
        "popd",
        "endlocal",
        "exit /b 1",
        ":wow64",
        "%windir%\\Sysnative\\cmd.exe /c \"\"%~f0\"\"",
        "exit /b %errorlevel%",
        ":end",
    }));
}

std::string UnattendText(const Plan& plan, const Registration& reg) {
    std::map<std::string, std::string> oem;  // the values Apply leaves on the PC
    for (const Place* p : OemPlaces(plan))
        if (p->action == Action::Write) oem[p->name] = p->text;
    std::vector<std::string> lines = {
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>",
        "<unattend xmlns=\"urn:schemas-microsoft-com:unattend\">",
        "  <settings pass=\"specialize\">",
    };
    // The settings in the order the component's documentation and Windows SIM give them.
    for (const char* arch : {"x86", "amd64"}) {
        lines.push_back(std::string("    <component name=\"Microsoft-Windows-Shell-Setup\" processorArchitecture=\"") +
                        arch +
                        "\" publicKeyToken=\"31bf3856ad364e35\" language=\"neutral\" versionScope=\"nonSxS\" "
                        "xmlns:wcm=\"http://schemas.microsoft.com/WMIConfig/2002/State\" "
                        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">");
        lines.push_back("      <OEMInformation>");
        auto element = [&](const char* indent, const char* name, const std::string& value) {
            lines.push_back(std::string(indent) + "<" + name + ">" + XmlText(value) + "</" + name + ">");
        };
        // Only where Apply leaves a value: maker and model always.
        std::vector<const MakerDetail*> details;
        for (const MakerDetail& d : kMakerDetails) details.push_back(&d);
        std::sort(details.begin(), details.end(),
                  [](const MakerDetail* a, const MakerDetail* b) { return a->answerOrder < b->answerOrder; });
        for (const MakerDetail* d : details)
            if (oem.count(d->value)) element("        ", d->element, oem[d->value]);
        lines.push_back("      </OEMInformation>");
        if (reg.org) element("      ", "RegisteredOrganization", *reg.org);
        if (reg.owner) element("      ", "RegisteredOwner", *reg.owner);
        lines.push_back("    </component>");
    }
    lines.push_back("  </settings>");
    lines.push_back("</unattend>");
    return Join(lines);
}

std::string ReadmeText() {
    const std::string small = kSmallLogoFile;
    return platform::ToAnsi(Join({
        "カザグルマで書き出した配布用のファイル",
        "",
        "  oeminfo.ini, " + std::string(places::kLogoFile),
        "    システムのプロパティ「全般」ページのOEM情報とロゴです (98からXPまで)。",
        "    カザグルマの「実行」が書き込むものと同じ内容です。",
        "  " + small,
        "    Vista以降のシステムの画面に出る120×120ドットのロゴです。",
        "  oem.reg",
        "    使用者名・組織名 (書き出すときに指定したときだけ) と、Vista以降が読む",
        "    OEMInformation の値です。プロダクトIDとCPUの名前は含みません。",
        "    regedit /s oem.reg で取り込めます (98から11まで)。ロゴの場所は",
        "    " + std::string(kTargetSystem) + "\\" + small + " と書いてあるので、Windowsが",
        "    C:\\Windows 以外にあるPCには install.bat を使ってください。",
        "  install.bat",
        "    上のファイルをシステムフォルダ (9xは %windir%\\system、NTは %windir%\\system32) に",
        "    コピーしてから oem.reg を取り込みます。管理者の権限で実行してください。",
        "    XP以降ではロゴの場所 (Logo) をそのPCの本当のシステムフォルダに直します。",
        "    ログオンスクリプト、スタートアップスクリプト、配布ツールからも使えます。",
        "    NT系では失敗すると終了コード1を返します。98では install.bat のあるフォルダを",
        "    カレントフォルダにしてから実行してください。",
        "    入れたロゴとOEM情報を消すには、管理者の権限で kazaguruma.exe /remove を実行します",
        "    (消す前の状態を保存してから消します。/restore last で戻せます)。",
        "  unattend.xml",
        "    Windowsセットアップの応答ファイルに入れる部分です (specialize パスの",
        "    Microsoft-Windows-Shell-Setup、x86 と amd64)。自分の応答ファイルに組み込んでください。",
        "    ロゴは " + std::string(kTargetSystem) + "\\" + small + " に置く前提です",
        "    (配布イメージの $OEM$\\$$\\System32 フォルダに入れておきます)。",
        "  GroupPolicy フォルダ",
        "    ドメインのグループポリシー (基本設定) に入れる Registry.xml と、共有フォルダを",
        "    指定したときは Files.xml とそこに置くファイルです。中の readme.txt を見てください。",
    }));
}

platform::Steps ExportSettings(Form1& main, const std::string& folder, apply::LogoDepth depth,
                               const Registration& reg, const std::string& share) {
    platform::Steps steps;
    // A share the PCs could not copy from is refused before anything is written.
    if (const std::string why = ShareProblem(share); !why.empty()) {
        steps.push_back({kGroupPolicyFolder, why, Outcome::Failed(ERROR_BAD_NETPATH)});
        return steps;
    }
    // The folders above it first; on a network path the server and share are no folders to make.
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        static_cast<void>(platform::CreateFolder(folder.substr(0, at)));
    if (Outcome made = platform::CreateFolder(folder); !made) {
        steps.push_back({folder, "", made});
        return steps;
    }
    // The folder browser gives some folders with their closing backslash.
    const std::string base = !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
    auto in = [&](const std::string& name) { return base + name; };
    const Plan plan = ExportPlan(main, depth, reg);
    for (const Place& p : plan.places)
        if (p.file && p.action == Action::Write) steps.push_back({p.file, "", p.produce(in(p.file))});
    if (!plan.refused.empty()) steps.push_back(platform::Step::Refusal("OEMInformation", plan.refused));
    steps.push_back({kRegFile, "", platform::WriteWholeFile(in(kRegFile), OemRegText(plan, reg))});
    steps.push_back({kInstallFile, "", platform::WriteWholeFile(in(kInstallFile), InstallBatText())});
    steps.push_back({kUnattendFile, "", platform::WriteWholeFile(in(kUnattendFile), UnattendText(plan, reg))});
    steps.push_back({kReadmeFile, "", platform::WriteWholeFile(in(kReadmeFile), ReadmeText())});
    WriteGroupPolicy(plan, base, share, steps);
    return steps;
}

}  // namespace kaza::rollout
