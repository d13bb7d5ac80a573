#pragma once

#include <QUrl>

namespace ui {

/// Opens url the desktop's way (a web address in the browser, our own scheme in the program
/// registered for it; a handler set with QDesktopServices::setUrlHandler goes first). Returns
/// whether it was handed on; callers that ignore failures may ignore the result. Main thread.
bool openURL(const QUrl& url);

} // namespace ui
