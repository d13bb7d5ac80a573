#include "platform/update/UpdateDialog.h"

#include "platform/ui/OpenURL.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace update {

namespace {

bool isWebAddress(const QUrl& url)
{
    return url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http");
}

// Release notes come from the network: they show as text and pictures of their own only,
// never load anything (no local files, no remote requests), and their links open in the
// browser when they are web addresses.
class ReleaseNotesView final : public QTextBrowser {
public:
    explicit ReleaseNotesView(QWidget* parent) : QTextBrowser(parent)
    {
        setOpenLinks(false);
        connect(this, &QTextBrowser::anchorClicked, this, [](const QUrl& url) {
            if (isWebAddress(url))
                ui::openURL(url);
        });
    }

    QVariant loadResource(int, const QUrl&) override { return {}; }
};

} // namespace

UpdateDialog::UpdateDialog(QWidget* parent)
    : QDialog(parent),
      icon_(new QLabel(this)),
      title_(new QLabel(this)),
      message_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      notes_(new ReleaseNotesView(this)),
      later_(new QPushButton(QStringLiteral("Later"), this)),
      primary_(new QPushButton(this))
{
    setModal(false);
    setMinimumWidth(440);

    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    title_->setFont(titleFont);
    title_->setWordWrap(true);
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    title_->setTextFormat(Qt::PlainText);
    progress_->setRange(0, 0); // indeterminate: a fetch says nothing of how far it got
    progress_->setTextVisible(false);
    notes_->setMinimumHeight(160);
    icon_->setAlignment(Qt::AlignTop);
    const QIcon appIcon = QApplication::windowIcon();
    if (!appIcon.isNull())
        icon_->setPixmap(appIcon.pixmap(64, 64));
    else
        icon_->hide();

    auto* text = new QVBoxLayout;
    text->addWidget(title_);
    text->addWidget(message_);
    text->addWidget(progress_);
    text->addWidget(notes_, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon_, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(later_);
    buttons->addWidget(primary_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(primary_, &QPushButton::clicked, this, [this] { primaryClicked(); });
    connect(later_, &QPushButton::clicked, this, [this] { hide(); });
}

UpdateDialog::~UpdateDialog() = default;

QString UpdateDialog::title() const { return title_->text(); }
QString UpdateDialog::message() const { return message_->text(); }

void UpdateDialog::present(State state, const HostDescription& host, const QString& title, const QString& message)
{
    if (state_ == State::checking && state != State::checking)
        cancel_ = nullptr; // the check is over: closing the window no longer cancels it
    state_ = state;
    setWindowTitle(QStringLiteral("%1 Update").arg(host.name));
    title_->setText(title);
    message_->setText(message);
    message_->setVisible(!message.isEmpty());
    progress_->setVisible(state == State::checking);
    notes_->setVisible(state == State::updateFound && !notes_->document()->isEmpty());
    later_->setVisible(state == State::updateFound);
    switch (state) {
    case State::checking:
        primary_->setText(QStringLiteral("Cancel"));
        break;
    case State::updateFound:
        primary_->setText(QStringLiteral("Open Download Page"));
        break;
    case State::upToDate:
    case State::failed:
        primary_->setText(QStringLiteral("OK"));
        break;
    }
    primary_->setEnabled(state != State::updateFound || !downloadPage_.isEmpty());
    primary_->setDefault(true);
    adjustSize();
}

void UpdateDialog::showChecking(const HostDescription& host, std::function<void()> cancel)
{
    downloadPage_.clear();
    notes_->clear();
    present(State::checking, host, QStringLiteral("Checking for updates\u2026"),
            QStringLiteral("Looking for a newer version of %1.").arg(host.name));
    cancel_ = std::move(cancel);
}

void UpdateDialog::showUpToDate(const HostDescription& host)
{
    present(State::upToDate, host, QStringLiteral("%1 is up to date").arg(host.name),
            QStringLiteral("Version %1 is the newest version available.").arg(host.version));
}

void UpdateDialog::showUpdateFound(const HostDescription& host, const AppcastItem& item)
{
    downloadPage_ = item.downloadPage();
    if (!item.itemDescription.isEmpty()) {
        if (Qt::mightBeRichText(item.itemDescription))
            notes_->setHtml(item.itemDescription);
        else
            notes_->setPlainText(item.itemDescription);
    } else if (isWebAddress(item.releaseNotesLink)) {
        const QString link = item.releaseNotesLink.toString(QUrl::FullyEncoded).toHtmlEscaped();
        notes_->setHtml(QStringLiteral("<p>The release notes are on <a href=\"%1\">%1</a>.</p>").arg(link));
    } else {
        notes_->clear();
    }
    QString message = QStringLiteral("%1 %2 is available; you have %3.")
                          .arg(host.name, item.displayVersionString(), host.version);
    message += downloadPage_.isEmpty() ? QStringLiteral(" The release names no download page.")
                                       : QStringLiteral(" Get it from its download page.");
    present(State::updateFound, host, QStringLiteral("A new version of %1 is available").arg(host.name), message);
}

void UpdateDialog::showError(const HostDescription& host, const QString& message)
{
    present(State::failed, host, QStringLiteral("The update check failed"), message);
}

void UpdateDialog::primaryClicked()
{
    if (state_ == State::updateFound && !downloadPage_.isEmpty())
        ui::openURL(downloadPage_);
    if (state_ == State::checking)
        cancelCheck();
    hide();
}

void UpdateDialog::cancelCheck()
{
    if (auto cancel = std::exchange(cancel_, nullptr))
        cancel();
}

void UpdateDialog::reject()
{
    if (state_ == State::checking)
        cancelCheck();
    QDialog::reject();
}

} // namespace update
