#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QString>
#include <QUrl>

#include <vector>

namespace testing_support {

/// Takes the links of a scheme while it lives, as a browser or the registered program would:
/// ui::openURL hands them here instead. Main thread. (A test program that uses it lists this
/// header among its sources, with AUTOMOC on.)
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(QString scheme) : scheme_(std::move(scheme))
    {
        QDesktopServices::setUrlHandler(scheme_, this, "open");
    }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(scheme_); }

    std::vector<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.push_back(url); }

private:
    QString scheme_;
};

} // namespace testing_support
