#pragma once

#include "Tarnkit/Foundation/MenuDelegate.h"

#include <QPointer>
#include <QString>

namespace tarnkit {

/// The kind of a TKMenuItem: an ordinary item or one of the special items a menu bar needs.
/// A plain value; main thread (it may name a menu delegate).
class TKMenuType {
public:
    enum class Kind {
        sectionHeader,     ///< an inline section header with its own title
        documentTemplates, ///< an empty submenu filled by its delegate
        recentDocuments,   ///< the same as documentTemplates
        standard,          ///< an ordinary item
        separator,         ///< a separator
        services,          ///< the application's Services menu as submenu
    };

    static TKMenuType sectionHeader(QString title);
    /// delegate may be null; the value does not own it (its installer keeps it alive).
    static TKMenuType documentTemplates(MenuDelegate* delegate);
    static TKMenuType recentDocuments(MenuDelegate* delegate);
    static TKMenuType standard() { return TKMenuType(Kind::standard); }
    static TKMenuType separator() { return TKMenuType(Kind::separator); }
    static TKMenuType services() { return TKMenuType(Kind::services); }

    Kind kind() const { return kind_; }
    /// The section header's title; empty for the other kinds.
    const QString& title() const { return title_; }
    /// The delegate of documentTemplates and recentDocuments; null for the others.
    MenuDelegate* delegate() const { return delegate_; }

    /// Same kind and, for the delegate kinds, the very same delegate object (or both none);
    /// section headers compare by title.
    friend bool operator==(const TKMenuType& a, const TKMenuType& b);

private:
    explicit TKMenuType(Kind kind) : kind_(kind) {}

    Kind kind_ = Kind::standard;
    QString title_;
    QPointer<MenuDelegate> delegate_;
};

} // namespace tarnkit
