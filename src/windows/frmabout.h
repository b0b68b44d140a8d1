#pragma once
#include "platform/ui/form.h"

namespace kaza {
class Form1;

// The version-information window: product, version, date, and where to send comments.
class frmAbout : public ui::Form {
public:
    explicit frmAbout(Form1& main);

    static constexpr const char* kHomepage = "https://kazaguruma.example.org/";
    static constexpr const char* kMail = "support@kazaguruma.example.org";

protected:
    void Form_Load() override;

private:
    void Command1_Click();  // OK
};

}  // namespace kaza
