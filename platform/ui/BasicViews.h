#pragma once

#include "platform/ui/Painting.h"
#include "platform/ui/View.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <functional>

/// The plain views a design is made of: images, colour fills and text.
namespace ui {

/// Gives the representation of an image for a pixel scale (1 at 1x, 2 at 2x ...). Called at
/// every paint, so the image may follow the model (what it reads is observed).
using ImageProvider = std::function<QImage(qreal pixelScale)>;

/// An image: at its natural size (the default), resizable with cap insets, or scaled to fit.
/// Its natural size is the image's; a resizable or fitting image is flexible both ways.
class ImageView : public View {
public:
    explicit ImageView(ImageProvider image, QWidget* parent = nullptr);

    /// Fills whatever it is given, as drawResizableImage does.
    ImageView& resizable(QMarginsF capInsets, ResizingMode mode);
    /// Fills whatever it is given keeping its aspect ratio.
    ImageView& scaledToFit();

protected:
    void paint(QPainter& painter) override;
    void observedChange() override;

private:
    enum class Mode { natural, resizable, fit };
    void updateNaturalSize();

    ImageProvider image_;
    Mode mode_ = Mode::natural;
    QMarginsF capInsets_;
    ResizingMode resizingMode_ = ResizingMode::stretch;
};

/// A colour filling whatever space it is given (a background layer).
class ColorView : public View {
public:
    explicit ColorView(QColor color, QWidget* parent = nullptr);

protected:
    void paint(QPainter& painter) override;

private:
    QColor color_;
};

/// One line of text in a font and colour, at the natural size of the text. The text may follow
/// the model: the provider runs at every paint and what it reads is observed.
class TextView : public View {
public:
    TextView(std::function<QString()> text, QFont font, QColor color, QWidget* parent = nullptr);

protected:
    void paint(QPainter& painter) override;
    void observedChange() override;

private:
    void updateNaturalSize();

    std::function<QString()> text_;
    QFont font_;
    QColor color_;
};

/// The natural size of one line of text in a font: its advance by the font's line height.
QSizeF textSize(const QString& text, const QFont& font);

} // namespace ui
