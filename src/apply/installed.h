#pragma once
#include <string>

namespace kaza {
class Form1;
namespace apply {

// Menu 現在の設定を読み込む: fills the main window from what the system shows now, and writes
// nothing. On 98 to XP from oeminfo.ini and oemlogo.bmp in the system folder; on Vista and later
// from the OEMInformation values, the picture Logo names and oeminfo.ini's support lines. What is
// not installed leaves its field as it was. Status panel 1 says what was read.
void ReadInstalled(Form1& main);

}  // namespace apply
}  // namespace kaza
