#pragma once

namespace kaza {
class Form1;
namespace logo {

// The logo frame commands: each sets its own hint.
void Import(Form1& main);  // menu G, click on Picture1
void Fit(Form1& main);     // Command5, GAZOAWA
void Centre(Form1& main);  // Command6, GAZOTYUUOU

}  // namespace logo
}  // namespace kaza
