#pragma once

#include <QMargins>

class QWidget;

namespace ui {

/// Keeps pinned, a child of view, covering view less insets on every side, through every
/// resize of view from now on. Nothing happens when view is null. Pinning again replaces the
/// earlier insets. Main thread.
void anchorToAllSidesOf(QWidget& pinned, QWidget* view, const QMargins& insets);

} // namespace ui
