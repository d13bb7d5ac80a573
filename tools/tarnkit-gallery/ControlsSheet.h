#pragma once

#include <QImage>
#include <QMap>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace tarnkit::gallery {

/// The styled controls in their states: one row per control, one column per state, each
/// specimen a real control drawn by its own paint code (the focused and editing ones in an
/// active window); a look a control does not take shows "-". Below the grid, whole views: a
/// styled table with a merged selection, then the declarative components, each drawn as it is
/// shown.
struct ControlsSheet {
    QImage image;                     ///< device pixel ratio = the scale asked for
    QStringList rows;                 ///< the controls, top to bottom
    QStringList states;               ///< the states, left to right
    QMap<QString, QRectF> specimens;  ///< "row / state" -> where the control was drawn (points)
    QStringList notApplicable;        ///< "row / state" of the looks a control does not take
    QMap<QString, QRectF> panels;     ///< whole views below the grid ("view, variant") -> where drawn
};

/// The key of a specimen in ControlsSheet::specimens and notApplicable.
inline QString specimenKey(const QString& row, const QString& state)
{
    return row + QStringLiteral(" / ") + state;
}

/// Draws the sheet at scale device pixels per point (1 or 2 pick the representations). Needs
/// a QApplication; it shows a window of its own for the focused and editing specimens (off
/// screen under the offscreen platform). Main thread.
ControlsSheet renderControlsSheet(qreal scale);

} // namespace tarnkit::gallery
