#pragma once

#include "Tarnkit/Foundation/Geometry.h"
#include "Tarnkit/Foundation/TextAlignment.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace tarnkit {

/// How a line of text sits in its rect: its horizontal alignment and where it is shortened when
/// it does not fit (none: it is clipped).
struct ParagraphStyle {
    TextAlignment alignment = TextAlignment::leading;
    std::optional<TruncationMode> truncation = TruncationMode::tail;

    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

/// A run of text in one font and colour.
struct TextRun {
    QString text;
    QFont font;
    QColor color;

    friend bool operator==(const TextRun&, const TextRun&) = default;
};

/// A single line of text made of runs that share a baseline, with one paragraph style: what a
/// cell's title is (a pop-up's label and title are two runs). A plain value. Main thread (it
/// measures with the application's fonts).
class AttributedString {
public:
    AttributedString() = default;
    AttributedString(QString text, QFont font, QColor color, ParagraphStyle paragraphStyle = {});

    /// Adds a run at the end.
    void append(TextRun run);

    const std::vector<TextRun>& runs() const { return runs_; }
    const ParagraphStyle& paragraphStyle() const { return paragraphStyle_; }
    void setParagraphStyle(ParagraphStyle style) { paragraphStyle_ = style; }

    /// The runs' text joined.
    QString string() const;
    bool isEmpty() const { return string().isEmpty(); }

    /// Whole points: the runs' advances added up, and the tallest run's line height (ascent plus
    /// descent), each rounded up.
    Size size() const;

    /// Draws the line with the top of its line box at box's top (Qt coordinates), aligned in
    /// box's width by the paragraph style and shortened by its truncation when wider; without
    /// truncation it is clipped to box. Shortening several runs keeps the leading ones whole and
    /// elides the first that overflows at its end, whatever the mode. Returns the rect the text
    /// takes (box's height).
    QRectF draw(QPainter& painter, const QRectF& box) const;

    friend bool operator==(const AttributedString&, const AttributedString&) = default;

private:
    std::vector<TextRun> runs_;
    ParagraphStyle paragraphStyle_;
};

} // namespace tarnkit
