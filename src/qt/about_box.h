// The About box: the program's icon, "Ondrava Version <version>", the legal
// notice and OK, as the Windows program's dialog shows them.
#pragma once

#include <QDialog>

#include "parts/ui_language.h"

class CAboutBox final : public QDialog {
 public:
  CAboutBox(QWidget* owner, UiLanguage language);
};
