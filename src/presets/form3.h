#pragma once
#include "platform/ui/form.h"

namespace kaza {
class Form1;

// The delete window: stays open so that several presets can be removed in turn.
class Form3 : public ui::Form {
public:
    explicit Form3(Form1& main);
    ui::Control& List1() { return C("List1"); }
    ui::Control& Label2() { return C("Label2"); }

protected:
    void Form_Load() override;

private:
    void List1_Click();
    void Command1_Click();  // 削除
    void Command2_Click();  // 閉じる
    Form1& main_;
};

}  // namespace kaza
