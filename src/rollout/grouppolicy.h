#pragma once
#include <string>

#include "app/plan.h"

// The Group Policy Preferences package of the deployment folder: what an administrator puts into
// a GPO with the Group Policy Management Console, so that every PC of a domain gets the export
// plan's values, and its files from a share.
namespace kaza::rollout {

inline constexpr const char* kGroupPolicyFolder = "GroupPolicy";
inline constexpr const char* kGppRegistryFile = "Registry.xml";
inline constexpr const char* kGppFilesFile = "Files.xml";

// Why `share` cannot be the folder the PCs copy the files from: it must begin with \\, name a
// server and a share, and hold nothing a path cannot hold. Empty when it can; an empty share is
// none at all, and fine.
std::string ShareProblem(const std::string& share);

// Registry.xml: one item per registry value of the plan that is written (U) or removed (D), in
// the plan's order.
std::string GppRegistryText(const Plan& plan);
// Files.xml: one item per system file of the plan that is written, copied from `share` into the
// system folder.
std::string GppFilesText(const Plan& plan, const std::string& share);
// GroupPolicy\readme.txt, in the ANSI code page with CR LF.
std::string GppReadmeText(const Plan& plan, const std::string& share);

// Writes the folder GroupPolicy below `base` (which ends in a backslash): the two settings files
// (Files.xml and the plan's files only with a share), the readme; one row per file.
void WriteGroupPolicy(const Plan& plan, const std::string& base, const std::string& share,
                      platform::Steps& steps);

}  // namespace kaza::rollout
