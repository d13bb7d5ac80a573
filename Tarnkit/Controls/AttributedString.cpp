#include "Tarnkit/Controls/AttributedString.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarnkit {

namespace {

struct LineMetrics {
    double ascent = 0;
    double descent = 0;
};

LineMetrics lineMetrics(const std::vector<TextRun>& runs)
{
    LineMetrics metrics;
    for (const auto& run : runs) {
        const QFontMetricsF fm(run.font);
        metrics.ascent = std::max(metrics.ascent, fm.ascent());
        metrics.descent = std::max(metrics.descent, fm.descent());
    }
    return metrics;
}

double advance(const TextRun& run)
{
    return QFontMetricsF(run.font).horizontalAdvance(run.text);
}

// The runs as they fit into width: whole while they fit, then the first that overflows elided.
std::vector<TextRun> fitted(const std::vector<TextRun>& runs, double width, TruncationMode mode)
{
    if (runs.size() == 1) {
        TextRun run = runs.front();
        run.text = QFontMetricsF(run.font).elidedText(run.text, nsLineBreakMode(mode), width);
        return {run};
    }
    std::vector<TextRun> pieces;
    double remaining = width;
    for (const auto& run : runs) {
        const double runWidth = advance(run);
        if (runWidth <= remaining) {
            pieces.push_back(run);
            remaining -= runWidth;
            continue;
        }
        TextRun elided = run;
        elided.text = QFontMetricsF(run.font).elidedText(run.text, Qt::ElideRight, remaining);
        if (!elided.text.isEmpty())
            pieces.push_back(elided);
        break;
    }
    return pieces;
}

} // namespace

AttributedString::AttributedString(QString text, QFont font, QColor color, ParagraphStyle paragraphStyle)
    : runs_{TextRun{std::move(text), std::move(font), std::move(color)}}, paragraphStyle_(paragraphStyle)
{
}

void AttributedString::append(TextRun run)
{
    runs_.push_back(std::move(run));
}

QString AttributedString::string() const
{
    QString joined;
    for (const auto& run : runs_)
        joined += run.text;
    return joined;
}

Size AttributedString::size() const
{
    double width = 0;
    for (const auto& run : runs_)
        width += advance(run);
    const LineMetrics metrics = lineMetrics(runs_);
    return {std::ceil(width), std::ceil(metrics.ascent + metrics.descent)};
}

QRectF AttributedString::draw(QPainter& painter, const QRectF& box) const
{
    double natural = 0;
    for (const auto& run : runs_)
        natural += advance(run);
    const bool shortened = natural > box.width() && paragraphStyle_.truncation;
    const std::vector<TextRun> pieces = shortened ? fitted(runs_, box.width(), *paragraphStyle_.truncation) : runs_;

    double width = 0;
    for (const auto& piece : pieces)
        width += advance(piece);
    double x = box.left();
    switch (paragraphStyle_.alignment) {
    case TextAlignment::leading:
        break;
    case TextAlignment::center:
        x += (box.width() - width) * 0.5;
        break;
    case TextAlignment::trailing:
        x += box.width() - width;
        break;
    }

    painter.save();
    if (!paragraphStyle_.truncation)
        painter.setClipRect(box, Qt::IntersectClip);
    const double baseline = box.top() + lineMetrics(runs_).ascent;
    double penX = x;
    for (const auto& piece : pieces) {
        painter.setFont(piece.font);
        painter.setPen(piece.color);
        painter.drawText(QPointF(penX, baseline), piece.text);
        penX += advance(piece);
    }
    painter.restore();
    return QRectF(x, box.top(), width, box.height());
}

} // namespace tarnkit
