#include "platform/ui/OpenURL.h"

#include <QDesktopServices>

namespace ui {

bool openURL(const QUrl& url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace ui
