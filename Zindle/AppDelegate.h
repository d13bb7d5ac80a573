#pragma once

#include "Zindle/SparkleHelper.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QApplication;

namespace zindleapp {

/// The application's delegate: the dark appearance at launch and the "zindle" links.
///
/// A link routes on its raw text, as written: its scheme must be exactly "zindle" and its host
/// exactly "openAndUpdate" (letter case included; path, query and fragment are never read),
/// and then it asks for an interactive update check. Every other link is dropped silently.
/// (QUrl is not used for this: it lower-cases scheme and host.) Main thread.
class AppDelegate {
public:
    AppDelegate();

    /// Set once by the start-up sequence; the same helper the application holds.
    std::shared_ptr<SparkleHelper> sparkleHelper;

    /// The launch: when object is the application, it takes the dark appearance (a dark
    /// palette on the Fusion style, so that every window and dialog is dark); anything else
    /// changes nothing.
    void applicationDidFinishLaunching(QObject* object);
    /// Links handed to the application (its command line, or a later launch's): each routed
    /// in turn.
    void application(const QStringList& urls);
    void routeURL(const QString& url);
    /// An interactive update check through the helper's controller; nothing before start-up
    /// has set both.
    void checkForUpdates();

    /// Whether a link's raw text asks for the update check.
    static bool isUpdateLink(const QString& url);
};

} // namespace zindleapp
