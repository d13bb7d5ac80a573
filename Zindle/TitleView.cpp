#include "Zindle/TitleView.h"

#include "platform/ui/BasicViews.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace zindleapp {

namespace {

// One pass of a box blur of the given half width along rows (or columns) of a premultiplied
// picture held as floats, four per pixel: each value becomes the mean of the 2 * half + 1
// around it (a running sum), with nothing beyond the edges.
void boxPass(const std::vector<float>& from, std::vector<float>& to, int width, int height, int half, bool horizontal)
{
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    const float scale = 1.0f / float(2 * half + 1);
    auto at = [&](int line, int i) { return 4 * std::size_t(horizontal ? line * width + i : i * width + line); };
    for (int line = 0; line < lines; ++line) {
        std::array<float, 4> sum{};
        auto add = [&](int i, float sign) {
            if (i < 0 || i >= length)
                return;
            for (int c = 0; c < 4; ++c)
                sum[std::size_t(c)] += sign * from[at(line, i) + std::size_t(c)];
        };
        for (int i = -half; i < half; ++i)
            add(i, 1);
        for (int i = 0; i < length; ++i) {
            add(i + half, 1);
            for (int c = 0; c < 4; ++c)
                to[at(line, i) + std::size_t(c)] = sum[std::size_t(c)] * scale;
            add(i - half, -1);
        }
    }
}

} // namespace

QImage blurred(const QImage& image, qreal sigma)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (sigma <= 0)
        return result;
    const int width = result.width();
    const int height = result.height();
    std::vector<float> pixels(4 * std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(result.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            float* p = &pixels[4 * (std::size_t(y) * width + x)];
            p[0] = float(qAlpha(row[x]));
            p[1] = float(qRed(row[x]));
            p[2] = float(qGreen(row[x]));
            p[3] = float(qBlue(row[x]));
        }
    }
    // Three boxes of this half width come close to the Gaussian of that deviation.
    const int half = std::max(1, int(std::lround(std::sqrt(4.0 * sigma * sigma + 1.0) / 2.0)));
    std::vector<float> scratch(pixels.size());
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(pixels, scratch, width, height, half, true);
        boxPass(scratch, pixels, width, height, half, false);
    }
    auto channel = [](float value) { return std::clamp(int(std::lround(value)), 0, 255); };
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float* p = &pixels[4 * (std::size_t(y) * width + x)];
            const int alpha = channel(p[0]);
            row[x] = qRgba(std::min(channel(p[1]), alpha), std::min(channel(p[2]), alpha), std::min(channel(p[3]), alpha), alpha);
        }
    }
    return result;
}

TitleView::TitleView(QString text, QFont font, QColor color, std::vector<Shadow> shadows, QWidget* parent)
    : ui::View(parent), text_(std::move(text)), font_(std::move(font)), color_(color), shadows_(std::move(shadows))
{
    qreal reach = 0;
    for (const Shadow& shadow : shadows_)
        reach += 2 * shadow.radius + std::max(std::abs(shadow.offset.x()), std::abs(shadow.offset.y()));
    margin_ = std::ceil(reach);
    const QSizeF textSize = ui::textSize(text_, font_);
    setNaturalSize(textSize + QSizeF(2 * margin_, 2 * margin_));
    setAttribute(Qt::WA_TransparentForMouseEvents); // a title; the band behind takes the drag
}

void TitleView::paint(QPainter& painter)
{
    const qreal scale = ui::pixelScale(painter);
    QImage layer((QSizeF(size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(scale);
    layer.fill(Qt::transparent);
    {
        QPainter text(&layer);
        text.setRenderHint(QPainter::TextAntialiasing);
        text.setFont(font_);
        text.setPen(color_);
        text.drawText(QRectF(QPointF(0, 0), QSizeF(size())).marginsRemoved(QMarginsF(margin_, margin_, margin_, margin_)),
                      Qt::AlignCenter, text_);
    }
    for (const Shadow& shadow : shadows_) {
        // The shadow: the layer's shape in the shadow's colour, blurred, moved.
        QImage cast = layer;
        {
            QPainter tint(&cast);
            tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
            tint.fillRect(QRectF(QPointF(0, 0), QSizeF(size())), shadow.color);
        }
        cast = blurred(cast, shadow.radius / 2.0 * scale);
        cast.setDevicePixelRatio(scale);
        QImage composed(layer.size(), layer.format());
        composed.setDevicePixelRatio(scale);
        composed.fill(Qt::transparent);
        QPainter stack(&composed);
        stack.drawImage(shadow.offset, cast);
        stack.drawImage(QPointF(0, 0), layer);
        stack.end();
        layer = std::move(composed);
    }
    painter.drawImage(QPointF(0, 0), layer);
}

} // namespace zindleapp
