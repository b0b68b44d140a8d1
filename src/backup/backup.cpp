#include "backup/backup.h"

#include "app/form1.h"

namespace kaza::backup {

void SaveToDesktop(Form1&) {}
void SaveToFloppy(Form1&) {}
void SaveToFolder(Form1&) {}
void OpenRestoreWindow(Form1&) {}

}  // namespace kaza::backup
