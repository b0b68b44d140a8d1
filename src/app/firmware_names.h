#pragma once
#include <string>

namespace kaza {
class Form1;

// Whether a maker or model name the firmware gives is one of the texts boards ship with when
// nobody filled it in ("To Be Filled By O.E.M.", "Default string" and the like), or empty; letter
// case and surrounding blanks do not count.
bool IsPlaceholderName(const std::string& name);

// Menu 編集 → メーカー名と型番をこの PC から取得: fills Text4(0) and Text4(1) with the maker and
// model the firmware's SMBIOS system information names, and writes nothing. A name the firmware
// leaves as a placeholder keeps its field's text. Status panel 1 says what was taken.
void TakeMakerFromFirmware(Form1& main);

// Disables the entry, saying why in its caption, where the system cannot give its firmware table.
void ShowFirmwareEntry(Form1& main);

}  // namespace kaza
