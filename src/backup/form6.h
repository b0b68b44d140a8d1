#pragma once
#include "platform/ui/form.h"

namespace kaza {
class Form1;

// Puts a saved pair of OEM files back into the system folder. Modal, loaded afresh (both fields
// empty) on every opening; the close box copies nothing.
class Form6 : public ui::Form {
public:
    explicit Form6(Form1& main);
    ui::Control& Text1() { return C("Text1"); }  // the bitmap to restore
    ui::Control& Text2() { return C("Text2"); }  // the information file to restore

private:
    void Command1_Click();  // 実行
    void Command2_Click();  // キャンセル
    void Command3_Click();  // 参照 (bitmap)
    void Command4_Click();  // 参照 (information file)
    void Browse(const char* filter, ui::Control& field);
    Form1& main_;
};

}  // namespace kaza
