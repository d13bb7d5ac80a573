#include "Tarnkit/Foundation/Dragging.h"

#include <QColor>
#include <QImage>
#include <QMimeData>
#include <QUrl>

#include <optional>

namespace tarnkit::dragging {

namespace {

// The first asked-for class that the item's candidate readings offer, in the order asked.
std::optional<QVariant> firstReading(const std::vector<QMetaType>& classes, const std::vector<QVariant>& readings)
{
    for (const QMetaType& cls : classes) {
        for (const QVariant& reading : readings) {
            if (reading.metaType() == cls)
                return reading;
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<QVariant> draggingItems(const QMimeData& data, const std::vector<QMetaType>& classes)
{
    std::vector<std::vector<QVariant>> itemReadings;
    if (data.hasUrls()) {
        for (const QUrl& url : data.urls())
            itemReadings.push_back({QVariant(url), QVariant(url.toString())});
    } else if (data.hasText()) {
        itemReadings.push_back({QVariant(data.text())});
    }
    if (data.hasImage())
        itemReadings.push_back({QVariant(qvariant_cast<QImage>(data.imageData()))});
    if (data.hasColor())
        itemReadings.push_back({QVariant(qvariant_cast<QColor>(data.colorData()))});

    std::vector<QVariant> result;
    for (const auto& readings : itemReadings) {
        if (auto reading = firstReading(classes, readings))
            result.push_back(*reading);
    }
    return result;
}

} // namespace tarnkit::dragging
