// The texts of the About box and of the system dialog that opens a texture
// file, in both interface languages. The About box has one template; its
// caption is set when it opens.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "parts/ui_language.h"

inline constexpr UiText kAboutCaption{u"バージョン情報", u"About Ondrava"};

inline constexpr UiText kTextureDialogTitle{u"テクスチャファイルを開く",
                                            u"Open a Texture File"};

// The kinds of file a texture may be, as the dialog offers them: a name
// and the file-name patterns of each, the first the dialog's choice.
struct FileKind {
  UiText name;
  std::u16string_view patterns[4];  // up to four, the rest empty
};
inline constexpr FileKind kTextureFileKinds[] = {
    {{u"画像ファイル", u"Pictures"}, {u"*.bmp", u"*.png", u"*.jpg", u"*.jpeg"}},
    {{u"ビットマップファイル", u"Bitmap Files"}, {u"*.bmp"}},
    {{u"PNG ファイル", u"PNG Files"}, {u"*.png"}},
    {{u"JPEG ファイル", u"JPEG Files"}, {u"*.jpg", u"*.jpeg"}},
};

// The filter of the Windows file dialog: "name(patterns)\0patterns\0" for
// each kind ("*.a;*.b"), and the NUL that ends the list.
std::u16string WindowsFileFilter(UiLanguage language);
// The filter of a Qt file dialog: "name (*.a *.b);;name (...)".
std::u16string QtFileFilter(UiLanguage language);
