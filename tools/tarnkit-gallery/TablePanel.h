#pragma once

#include <QWidget>

#include <memory>

namespace tarnkit::gallery {

/// A styled table in its scroll view, as the controls sheet shows it: two columns under an
/// actionable header restyled by applyHeaderStyle, eight rows, rows 1 to 3 and 5 selected (a
/// merged block of three and a lone row). Its rows' data lives with the panel. Main thread.
std::unique_ptr<QWidget> makeTablePanel();

/// The panel's size in points.
inline constexpr QSize tablePanelSize{320, 228};

} // namespace tarnkit::gallery
