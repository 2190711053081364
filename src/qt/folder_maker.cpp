#include "qt/folder_maker.h"

#include <QDir>
#include <QFileInfo>

#include "qt/qt_text.h"

bool MakeFolderFor(const std::u16string& filePath) {
  const QString folder = QFileInfo(ToQString(filePath)).absolutePath();
  return !folder.isEmpty() && QDir().mkpath(folder);
}
