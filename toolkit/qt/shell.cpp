#include "toolkit/backend.h"
#include "toolkit/qt/qt_controls.h"

#include <QDesktopServices>
#include <QUrl>

namespace sg8::backend {

bool showFolder(std::string_view utf8Path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(qt::toQString(utf8Path))); }

}  // namespace sg8::backend
