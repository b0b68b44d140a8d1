#pragma once
#include <vector>

#include "backup/safety.h"
#include "platform/ui/form.h"

namespace kaza {
class Form1;

// Going back to a state kept before a command wrote the system. Modal; the list of copies is
// read afresh at every opening, newest first.
class Form9 : public ui::Form {
public:
    explicit Form9(Form1& main);
    ui::Control& List1() { return C("List1"); }
    const std::vector<backup::SafetyCopy>& Copies() const { return copies_; }

protected:
    void Form_Load() override;

private:
    void List1_Click();
    void Command1_Click();  // 戻す
    void Command2_Click();  // 閉じる
    // After values were put back, the main window shows what the system now holds.
    void RefreshMain(const backup::SafetyCopy& copy);
    Form1& main_;
    std::vector<backup::SafetyCopy> copies_;
};

}  // namespace kaza
