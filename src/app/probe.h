#pragma once
#include <string>

#include "app/form1.h"
#include "platform/system.h"

namespace kaza {

// Reads the running system into the main window while it loads. It only reads, never writes,
// and every step that fails is skipped silently.
void RunStartupProbe(Form1& f);

// The page the main window pictures for a version: 98 and Me, NT 4.0 and 2000 (builds 1381 and
// 2195) the 98 page, XP and XP x64 (2600, 3790) the XP page, 6.0 to 6.3 the System control
// panel, 10.0 below build 19042 the same panel in 10's look, then Settings' page of 10, and from
// build 22000 (11) 11's; any other NT build none.
Page PageFor(const platform::VersionInfo& v);

// The edition as the page names it: the registry's product name, but on 11's page "Windows 11"
// where the name begins with "Windows 10", which 11 keeps there.
std::string EditionShown(const std::string& productName, Page page);

}  // namespace kaza
