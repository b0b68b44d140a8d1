#pragma once
#include <string>

#include "platform/ui/form.h"

namespace kaza {
class Form1;

// The add window: asks for the name of a new preset and saves the main window's settings
// under it. Its name list lies below the client area; it only serves the name checks.
class Form4 : public ui::Form {
public:
    explicit Form4(Form1& main);
    ui::Control& Text1() { return C("Text1"); }
    ui::Control& List1() { return C("List1"); }

protected:
    void Form_Load() override;

private:
    void Command1_Click();  // 追加
    void Command2_Click();  // キャンセル
    // The refusals show a message and return false; the window stays open.
    bool CheckName(const std::string& name);
    bool Refuse(const std::string& text);
    Form1& main_;
    int freeNumber_ = 0;  // what the scan on opening found; 0 when all numbers are taken
};

}  // namespace kaza
