#pragma once

namespace kaza {
class Form1;
namespace backup {

void SaveToDesktop(Form1& main);      // DESUK
void SaveToFloppy(Form1& main);       // HURO
void SaveToFolder(Form1& main);       // SONOTA
void OpenRestoreWindow(Form1& main);  // Form6, modal

}  // namespace backup
}  // namespace kaza
