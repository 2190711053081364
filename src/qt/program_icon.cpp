#include "qt/program_icon.h"

#include <QImage>
#include <QPixmap>

#include "qt/program_icon_data.h"

QIcon ProgramIcon() {
  const QImage picture =
      QImage::fromData(kProgramIconPng, int(kProgramIconPngSize), "PNG");
  return QIcon(QPixmap::fromImage(picture));
}
