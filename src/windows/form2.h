#pragma once
#include <string>
#include <vector>

#include "app/maker.h"
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
    // What Vista and later show beside the maker (the rows of kMakerDetails it holds).
    ui::Control& Phone() { return C("Text2"); }
    ui::Control& Hours() { return C("Text3"); }
    ui::Control& Url() { return C("Text4"); }

private:
    void Text1_KeyUp();
    void Command1_Click();  // OK
    Form1& main_;
};

// The field that holds a detail of kMakerDetails: Form1's, or the editor's (created hidden when
// needed). None holds the logo's.
ui::Control& FieldOf(Form1& main, const MakerDetail& d);

// The support details Vista and later read from the OEMInformation key, as the editor holds them:
// one text per row of kMakerDetails the editor holds, in the table's order (a missing one is
// empty).
using SupportValues = std::vector<std::string>;
// The rows of kMakerDetails the editor holds, in the table's order.
const std::vector<const MakerDetail*>& SupportDetails();
// The editor's fields. Creates the editor hidden when needed.
SupportValues ReadSupportValues(Form1& main);
// Puts the values into the editor and onto the main window's page. Creates the editor hidden
// when needed.
void FillSupportValues(Form1& main, const SupportValues& v);
// Why the values cannot be written as the system reads them, as a text for the user; "" when
// they can: each at most as long as its row says, a web address a complete http:// or https://
// address, a support app a protocol name or URI (IsAppAddress), and every character one the ANSI
// code page holds (the edit controls of this ANSI program already show "?" for any other; a text
// from elsewhere may still hold one).
std::string SupportValuesProblem(const SupportValues& v);

// Shows again the page's lines that stand in for an empty detail (the maker for the provider),
// after the text they take changed. Does not create the editor.
void ShowStandInsOnPage(Form1& main);

// The editor's lines as the edit control gives them: EM_GETLINECOUNT, then EM_GETLINE per line
// into a 128-byte buffer of blanks, trailing blanks removed. Creates the editor hidden when needed.
std::vector<std::string> ReadSupportLines(Form1& main);
// Puts lines into the editor as a preset keeps them: the text, and beside it the line count the
// preset stored, as it stands. Creates the editor hidden when needed.
void FillSupportLines(Form1& main, const std::string& text, const std::string& storedCount);

// Whether a text names a support app as the system opens it: a protocol name ("maker-support") or
// a URI ("maker-support:open"), without blanks or control characters, at most 2,083 characters.
bool IsAppAddress(const std::string& s);

}  // namespace kaza
