#pragma once
#include "platform/ui/layout.h"

// The faces the program's windows are drawn in.
namespace kaza {

inline constexpr const char* kGothic = "ＭＳ Ｐゴシック";
inline constexpr const char* kMincho = "ＭＳ Ｐ明朝";

// Every window's own font, which its controls take unless a row names another.
inline constexpr ui::FontDecl kWindowFont{kGothic, 9, false};

}  // namespace kaza
