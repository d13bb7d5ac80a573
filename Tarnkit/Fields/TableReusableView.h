#pragma once

#include <QString>
#include <QWidget>

namespace tarnkit {

/// A view a table makes once and hands out again, under its identifier, for other rows as the
/// table scrolls: its row views and cell views. Main thread only.
class TableReusableView : public QWidget {
    Q_OBJECT
public:
    explicit TableReusableView(QWidget* parent = nullptr);

    /// The name the table keeps it under for reuse; empty: never reused.
    const QString& identifier() const { return identifier_; }
    void setIdentifier(QString identifier) { identifier_ = std::move(identifier); }

    /// Called when the table hands the view out again, before it is shown for another row:
    /// it drops what it showed. Nothing here.
    virtual void prepareForReuse();

private:
    QString identifier_;
};

} // namespace tarnkit
