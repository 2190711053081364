#include "qt/about_box.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "app/dialog_texts.h"
#include "qt/program_icon.h"
#include "qt/program_texts.h"
#include "qt/qt_text.h"

CAboutBox::CAboutBox(QWidget* owner, UiLanguage language) : QDialog(owner) {
  setWindowTitle(ToQString(kAboutCaption.In(language)));
  setObjectName(QStringLiteral("about"));
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(32, 32));
  auto* version = new QLabel(ToQString(AboutVersionLine()), this);
  auto* notice = new QLabel(ToQString(kLegalNotice), this);
  version->setTextFormat(Qt::PlainText);
  notice->setTextFormat(Qt::PlainText);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* grid = new QGridLayout(this);
  grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(version, 0, 1);
  grid->addWidget(notice, 1, 1);
  grid->addWidget(buttons, 2, 0, 1, 2, Qt::AlignHCenter);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}
