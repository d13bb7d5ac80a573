#pragma once

#include <QMetaType>
#include <QVariant>

#include <vector>

class QMimeData;

/// The objects a drag carries. A drag's items are its URLs (one item each), else its text,
/// then its image and its colour; each item is read as the first of the asked-for classes it
/// can be read as (a URL as QUrl or QString, text as QString, an image as QImage, a colour as
/// QColor) and left out when it can be read as none. Main thread (drag and drop runs there).
namespace tarnkit::dragging {

/// The items of data read as classes, in item order.
std::vector<QVariant> draggingItems(const QMimeData& data, const std::vector<QMetaType>& classes);

/// The items of data read as cls and kept where they hold a T.
template <typename T>
std::vector<T> items(const QMimeData& data, QMetaType cls)
{
    std::vector<T> result;
    for (const QVariant& item : draggingItems(data, {cls})) {
        if (item.metaType() == QMetaType::fromType<T>())
            result.push_back(item.value<T>());
    }
    return result;
}

/// The items of data that can be read as T.
template <typename T>
std::vector<T> items(const QMimeData& data)
{
    return items<T>(data, QMetaType::fromType<T>());
}

} // namespace tarnkit::dragging
