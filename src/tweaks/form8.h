#pragma once
#include <string>

#include "platform/outcome.h"
#include "platform/ui/form.h"

namespace kaza {
class Form1;

// Processor family name: switches the registered vendor identifier between its two forms
// ("GenuineIntel" and "Genuine Intel", ...), until the next restart. Modal.
class Form8 : public ui::Form {
public:
    explicit Form8(Form1& main);
    // The identifier "変更" writes; empty for a vendor the window does not know.
    std::string VC;

protected:
    void Form_Load() override;

private:
    void Command1_Click();  // 変更
    void Command2_Click();  // キャンセル
    // VC written as the vendor identifier: one row, with the system's code if it failed.
    platform::Steps WriteIdentifier();
    Form1& main_;
};

}  // namespace kaza
