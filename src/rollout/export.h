#pragma once
#include <optional>
#include <string>
#include <vector>

#include "apply/plan.h"

// The deployment folder: what an administrator hands to logon scripts, deployment tools and
// Windows Setup so that other PCs get the same settings without this program.
namespace kaza {
class Form1;
namespace rollout {

// Owner and organisation go out only when given; the product ID never (each PC has its own).
struct Registration {
    std::optional<std::string> owner, org;
};

// What Apply writes on a PC of the NT family with Vista or later, its system folder named by the
// literal path `kTargetSystem`: neither the registry value nor the answer file expands %WINDIR%.
inline constexpr const char* kTargetSystem = "C:\\Windows\\System32";
// Of the values outside OEMInformation it writes only the registration given; the others are left.
Plan ExportPlan(Form1& main, apply::LogoDepth depth, const Registration& reg);

inline constexpr const char* kRegFile = "oem.reg";
inline constexpr const char* kInstallFile = "install.bat";
inline constexpr const char* kUnattendFile = "unattend.xml";
inline constexpr const char* kReadmeFile = "readme.txt";

// Writes every file of the folder (created when missing) from the main window's settings, the
// system files of the export plan among them, and the Group Policy package below it, naming
// `share` (may be empty) as where the PCs copy the files from; one row per file. A share
// ShareProblem refuses is one failed row, and nothing is written.
platform::Steps ExportSettings(Form1& main, const std::string& folder, apply::LogoDepth depth,
                               const Registration& reg, const std::string& share = {});

// The texts of the folder: oem.reg and readme.txt in the ANSI code page, install.bat too (with
// CR LF), unattend.xml in UTF-8.
std::string OemRegText(const Plan& plan, const Registration& reg);
std::string InstallBatText();
std::string UnattendText(const Plan& plan, const Registration& reg);
std::string ReadmeText();
// Text of an XML element or attribute value, escaped.
std::string XmlText(const std::string& s);
// The lines, each ended by CR LF, as Windows' own tools write text files.
std::string Join(const std::vector<std::string>& lines);

}  // namespace rollout
}  // namespace kaza
