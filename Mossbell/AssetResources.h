#pragma once

#include "Mossbell/AssetTable.h"

#include "platform/foundation/Bundle.h"

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>

namespace mossbell {

/// A named colour of a resource bundle: the name together with its bundle, read once.
/// Immutable once made; any thread.
class ColorResource {
public:
    ColorResource(QString name, const foundation::Bundle& bundle);

    /// The framework's colour constants, each made on its first use from the framework's
    /// resource bundle (found then, or the process stops).
    static const ColorResource& of(ColorAsset asset);

    const QString& name() const { return name_; }
    const foundation::Bundle& bundle() const { return bundle_; }
    /// The colour the bundle gives the name; invalid when its colour table lacks it.
    const QColor& value() const { return value_; }

private:
    QString name_;
    const foundation::Bundle& bundle_;
    QColor value_;
};

/// A named image of a resource bundle: the name together with its bundle, both representations
/// read once. Immutable once made; any thread.
class ImageResource {
public:
    ImageResource(QString name, const foundation::Bundle& bundle);

    /// The framework's image constants, each made on its first use from the framework's
    /// resource bundle (found then, or the process stops).
    static const ImageResource& of(ImageAsset asset);

    const QString& name() const { return name_; }
    const foundation::Bundle& bundle() const { return bundle_; }
    /// The representation for a device pixel ratio: 2x above 1 when the bundle has it, else
    /// 1x (and the other way round); its device pixel ratio says which. Null when the bundle
    /// lacks the name.
    const QImage& image(qreal devicePixelRatio = 1.0) const;
    /// The image's natural size in points; empty when the bundle lacks the name.
    QSizeF size() const;

private:
    QString name_;
    const foundation::Bundle& bundle_;
    QImage oneX_;
    QImage twoX_;
};

/// The resource of a module's asset (a row of its asset table), made from the module's bundle on
/// first use, behind a one-time guard of its own, and kept for the process: what a module's
/// named accessors hand out. Any thread.
template <typename Resource, auto asset, const foundation::Bundle& (*bundle)()>
const Resource& assetResource()
{
    static const Resource resource(assetName(asset), bundle());
    return resource;
}

} // namespace mossbell
