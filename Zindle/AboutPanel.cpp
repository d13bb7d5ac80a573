#include "Zindle/AboutPanel.h"

#include "Tarnkit/Foundation/BundleInfo.h"
#include "platform/foundation/MainQueue.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace zindleapp {

namespace {
QPointer<QMessageBox> panel;
}

QStringList aboutPanelLines(const foundation::Bundle& bundle)
{
    namespace info = tarnkit::bundleInfo;
    QStringList lines;
    lines << info::name(bundle).value_or(QCoreApplication::applicationName());
    const auto shortVersion = info::shortVersion(bundle);
    const auto version = info::version(bundle);
    if (shortVersion || version)
        lines << QStringLiteral("Version %1").arg(shortVersion.value_or(QString()))
                     + (version ? QStringLiteral(" (%1)").arg(*version) : QString());
    if (const auto copyright = info::infoString(bundle, QStringLiteral("NSHumanReadableCopyright")))
        lines << *copyright;
    return lines;
}

void orderFrontStandardAboutPanel(const foundation::Bundle& bundle)
{
    foundation::mainQueue::requireMainThread("the about panel is shown off the main thread", "Zindle/AboutPanel", __LINE__);
    const QStringList lines = aboutPanelLines(bundle);
    if (!panel) {
        panel = new QMessageBox;
        panel->setAttribute(Qt::WA_DeleteOnClose);
        panel->setModal(false);
        panel->setStandardButtons(QMessageBox::Ok);
        panel->setTextFormat(Qt::RichText);
        const QIcon icon = QApplication::windowIcon();
        if (!icon.isNull())
            panel->setIconPixmap(icon.pixmap(96, 96));
    }
    panel->setWindowTitle(QCoreApplication::translate("Zindle", "About %1").arg(lines.front()));
    QString text = QStringLiteral("<p><b>%1</b></p>").arg(lines.front().toHtmlEscaped());
    for (qsizetype i = 1; i < lines.size(); ++i)
        text += QStringLiteral("<p>%1</p>").arg(lines[i].toHtmlEscaped());
    panel->setText(text);
    panel->show();
    panel->raise();
    panel->activateWindow();
}

QMessageBox* standardAboutPanel()
{
    return panel;
}

} // namespace zindleapp
