#pragma once

#include "Tarnkit/Foundation/Publisher.h"

#include <QPointer>
#include <QWidget>

namespace tarnkit {

/// Gives view the keyboard focus in its window, activating the window first unless it is
/// already the active one. Nothing happens when view is null (it was destroyed) or sits in no
/// window (a view that is a top-level widget of its own is in none). Main thread only.
void makeKeyAndFirstResponder(QWidget* view);

/// Makes view its window's first responder each time publisher emits. The view is held
/// weakly: once it is destroyed, values do nothing. Main thread (publisher included).
template <typename T>
[[nodiscard]] Cancellable makeFirstResponder(const Publisher<T>& publisher, QWidget* view)
{
    return publisher.sink([view = QPointer<QWidget>(view)](const T&) { makeKeyAndFirstResponder(view.data()); });
}

} // namespace tarnkit
