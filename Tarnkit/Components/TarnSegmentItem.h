#pragma once

#include <QString>

#include <memory>

namespace tarnkit {

/// One segment of a TarnSegmentedControl: an identity and a title, both fixed. Items are
/// shared objects (TarnSegmentItemRef) and equal when their ids are: the title does not count.
class TarnSegmentItem {
public:
    TarnSegmentItem(int id, QString title) : id_(id), title_(std::move(title)) {}

    int id() const { return id_; }
    const QString& title() const { return title_; }

    /// A flag for the item's owner; the control shows every item whatever it says.
    bool isHidden() const { return isHidden_; }
    void setHidden(bool hidden) { isHidden_ = hidden; }

    friend bool operator==(const TarnSegmentItem& a, const TarnSegmentItem& b) { return a.id_ == b.id_; }

private:
    int id_;
    QString title_;
    bool isHidden_ = false;
};

using TarnSegmentItemRef = std::shared_ptr<TarnSegmentItem>;

} // namespace tarnkit
