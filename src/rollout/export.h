#pragma once
#include <optional>
#include <string>
#include <vector>

#include "apply/apply.h"

// The deployment folder: what an administrator hands to logon scripts, deployment tools and
// Windows Setup so that other PCs get the same settings without this program.
namespace kaza {
class Form1;
namespace rollout {

// Owner and organisation go out only when given; the product ID never (each PC has its own).
struct Registration {
    std::optional<std::string> owner, org;
};

// The values of the OEMInformation key as Apply writes them on Vista and later: an empty support
// detail is removed, and so are all three when `refused` says why the system would not take them;
// `logo` is empty when the frame holds none (the system's own stays).
struct OemValues {
    std::string manufacturer, model, phone, hours, url, logo;
    std::string refused;
};
OemValues OemValuesOf(Form1& main);

inline constexpr const char* kRegFile = "oem.reg";
inline constexpr const char* kInstallFile = "install.bat";
inline constexpr const char* kUnattendFile = "unattend.xml";
inline constexpr const char* kReadmeFile = "readme.txt";

// Writes every file of the folder (created when missing) from the main window's settings; one
// row per file.
std::vector<apply::StepResult> ExportSettings(Form1& main, const std::string& folder, apply::LogoDepth depth,
                                              const Registration& reg);

// The texts of the folder: oem.reg and readme.txt in the ANSI code page, install.bat too (with
// CR LF), unattend.xml in UTF-8.
std::string OemRegText(const OemValues& oem, const Registration& reg);
std::string InstallBatText();
std::string UnattendText(const OemValues& oem, const Registration& reg);
std::string ReadmeText();

}  // namespace rollout
}  // namespace kaza
