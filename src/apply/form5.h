#pragma once
#include "platform/ui/form.h"

namespace kaza {
class Form1;

// The final confirmation before the settings are written to the system. Loaded afresh at each
// opening, with full colour chosen.
class Form5 : public ui::Form {
public:
    explicit Form5(Form1& main);

protected:
    void Form_Load() override;

private:
    void Command1_Click();  // 実行
    void Command2_Click();  // キャンセル
    void Option1_Click();   // 256色
    void Option2_Click();   // フルカラー
    Form1& main_;
};

}  // namespace kaza
