#pragma once
#include <string>

#include "platform/ui/form.h"

namespace kaza {
class Form1;

// The export window: asks for the share the PCs of a domain copy the logo from (may stay
// empty) and refuses, in the window, one they could not copy from.
class ExportForm : public ui::Form {
public:
    explicit ExportForm(Form1& main);
    ui::Control& Text1() { return C("Text1"); }
    ui::Control& Label3() { return C("Label3"); }
    // After the window closed: whether 次へ closed it, and the share it took.
    bool Accepted() const { return accepted_; }
    const std::string& Share() const { return share_; }

protected:
    void Form_Load() override;

private:
    void Command1_Click();  // 次へ
    void Command2_Click();  // キャンセル
    bool accepted_ = false;
    std::string share_;
};

}  // namespace kaza
