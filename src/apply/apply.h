#pragma once

namespace kaza {
class Form1;
namespace apply {

void OpenFinalConfirmation(Form1& main);  // Form5, modal

}  // namespace apply
}  // namespace kaza
