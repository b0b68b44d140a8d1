#pragma once
#include <string>
#include <vector>

#include "platform/ui/form.h"

namespace kaza {
class Form1;

// The support-information editor, and the only store of the support lines. Other windows read
// and fill it even while it is hidden.
class Form2 : public ui::Form {
public:
    explicit Form2(Form1& main);
    ui::Control& Text1() { return C("Text1"); }
    ui::Control& Label1() { return C("Label1"); }

private:
    void Text1_KeyUp();
    void Command1_Click();  // OK
};

// The editor's lines as the edit control gives them: EM_GETLINECOUNT, then EM_GETLINE per line
// into a 128-byte buffer of blanks, trailing blanks removed. Creates the editor hidden when needed.
std::vector<std::string> ReadSupportLines(Form1& main);
// Puts lines into the editor as a preset keeps them: the text, and beside it the line count the
// preset stored, as it stands. Creates the editor hidden when needed.
void FillSupportLines(Form1& main, const std::string& text, const std::string& storedCount);

}  // namespace kaza
