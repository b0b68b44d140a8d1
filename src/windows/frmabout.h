#pragma once
#include "platform/ui/form.h"

#include <string>

namespace kaza {
class Form1;

// Which limit on where DLLs are loaded from is in force (platform::DllSearchInForce), for the
// version window's details and the roll-out log.
std::string DllSearchText();

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
