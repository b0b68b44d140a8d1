#pragma once
#include "platform/outcome.h"
#include "platform/ui/form.h"

namespace kaza {
class Form1;

// Access restriction: hides pages and buttons of the System Properties dialog through the
// per-user policy values, and keeps the main window's marks in step with them. Modeless.
class Form7 : public ui::Form {
public:
    explicit Form7(Form1& main);
    ui::Control& Check1(int i) { return C("Check1", i); }

protected:
    void Form_Load() override;

private:
    void Command1_Click();  // 実行
    void Command2_Click();  // キャンセル
    // The four values cleared, then each set as its box asks: one row per restriction, named
    // by its short name, with the system's code where it could not be written or removed.
    platform::Steps StoreAll();
    // Brings restriction i's value in line with its box and sets its member from what the
    // key then really holds; `cleared` is how clearing it went.
    platform::Outcome Store(int i, const platform::Outcome& cleared);
    Form1& main_;
};

}  // namespace kaza
