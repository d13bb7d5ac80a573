// Draws the shader module's artwork into its resource bundle: the about logo and the noise
// the about animation is made of. The build runs it; argument: the bundle's path.

#include "platform/assets/ArtworkWriter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr QSizeF logoSize(256, 256);
constexpr QSizeF noiseSize(256, 256);

// The logo: a ring around a voice's spectrum, white on transparent (the shader tints it),
// with a clear margin so its blurred halo fades out inside the image.
constexpr std::array<double, 9> barHeights{26, 46, 72, 96, 114, 90, 66, 42, 22};

void drawLogo(QPainter& painter, const QSizeF& size)
{
    const QPointF centre(size.width() / 2, size.height() / 2);
    painter.setPen(QPen(Qt::white, 8));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 80, 80);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const double barWidth = 8;
    const double pitch = 13.5;
    const double left = centre.x() - pitch * (double(barHeights.size()) - 1) / 2;
    for (std::size_t i = 0; i < barHeights.size(); ++i) {
        const double x = left + pitch * double(i);
        const double h = barHeights[i];
        painter.drawRoundedRect(QRectF(x - barWidth / 2, centre.y() - h / 2, barWidth, h), barWidth / 2, barWidth / 2);
    }
}

/// Value noise that tiles with the period of its lattice.
class TilingNoise {
public:
    TilingNoise(int cells, unsigned seed) : cells_(cells), values_(std::size_t(cells * cells))
    {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (double& v : values_)
            v = unit(random);
    }

    /// x and y in tiles (0 to 1 covers the tile once).
    double at(double x, double y) const
    {
        const double fx = x * cells_;
        const double fy = y * cells_;
        const int ix = int(std::floor(fx));
        const int iy = int(std::floor(fy));
        const double tx = smooth(fx - ix);
        const double ty = smooth(fy - iy);
        const double a = value(ix, iy), b = value(ix + 1, iy), c = value(ix, iy + 1), d = value(ix + 1, iy + 1);
        return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
    }

private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    double value(int x, int y) const
    {
        const int wx = ((x % cells_) + cells_) % cells_;
        const int wy = ((y % cells_) + cells_) % cells_;
        return values_[std::size_t(wy * cells_ + wx)];
    }

    int cells_;
    std::vector<double> values_;
};

double fractal(const std::vector<TilingNoise>& octaves, double x, double y)
{
    double sum = 0, amplitude = 0.5, total = 0;
    for (const TilingNoise& octave : octaves) {
        sum += amplitude * octave.at(x, y);
        total += amplitude;
        amplitude *= 0.5;
    }
    return sum / total;
}

// Red and green: two smooth fractal noises; blue: fine grain; all tile.
void drawNoise(QPainter& painter, const QSizeF& size)
{
    const double scale = painter.transform().m11();
    const int width = int(std::lround(size.width() * scale));
    const int height = int(std::lround(size.height() * scale));
    const std::vector<TilingNoise> red{{4, 11}, {8, 12}, {16, 13}, {32, 14}};
    const std::vector<TilingNoise> green{{4, 21}, {8, 22}, {16, 23}, {32, 24}};
    std::mt19937 grain(31);
    std::uniform_int_distribution<int> byte(0, 255);

    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            const double v = double(y) / height;
            const int r = int(std::lround(255 * fractal(red, u, v)));
            const int g = int(std::lround(255 * fractal(green, u, v)));
            line[x] = qRgba(r, g, byte(grain), 255);
        }
    }
    painter.save();
    painter.resetTransform();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), image);
    painter.restore();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <OstrelShaders_OstrelShaders.bundle>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    assets::ArtworkWriter writer(argv[1]);
    writer.writeImage(QStringLiteral("aboutLogo"), logoSize, drawLogo);
    writer.writeImage(QStringLiteral("aboutNoise"), noiseSize, drawNoise);
    return writer.ok() ? 0 : 1;
}
