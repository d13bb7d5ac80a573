#pragma once

#include "platform/foundation/Bundle.h"

#include <QString>

class QMessageBox;

namespace zindleapp {

/// The standard about panel: one window, made on first use and brought to the front on every
/// later call, showing the application's icon, its name ("CFBundleName"), its version
/// ("Version <short version> (<build version>)") and its copyright
/// ("NSHumanReadableCopyright") from the bundle's information. Not modal. Main thread.
void orderFrontStandardAboutPanel(const foundation::Bundle& bundle = foundation::Bundle::main());

/// The panel when it has been shown (for those who look at it); null before.
QMessageBox* standardAboutPanel();

/// The panel's text, by line: name, version, copyright (lines the bundle lacks are left out).
QStringList aboutPanelLines(const foundation::Bundle& bundle);

} // namespace zindleapp
