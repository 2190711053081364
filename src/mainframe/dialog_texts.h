// The texts of the About box and of the system dialog that opens a texture
// file, in both interface languages. The About box has one template; its
// caption is set when it opens.
#pragma once

#include <cstddef>
#include <string_view>

#include "framepart/ui_language.h"

// A literal with NULs inside, up to (not including) its own terminator.
template <std::size_t N>
constexpr std::u16string_view WithInnerNuls(const char16_t (&text)[N]) {
  return {text, N - 1};
}

inline constexpr UiText kAboutCaption{u"バージョン情報", u"About Ondrava"};

inline constexpr UiText kTextureDialogTitle{u"テクスチャファイルを開く",
                                            u"Open a Texture File"};

// Pairs of a description and its pattern, each ending in NUL; the caller's
// copy adds the NUL that ends the list.
inline constexpr UiText kTextureFilter{
    WithInnerNuls(u"ビットマップファイル(*.bmp)\0*.bmp\0"),
    WithInnerNuls(u"Bitmap Files (*.bmp)\0*.bmp\0")};
