#include "Tarnkit/Foundation/TKMenuType.h"

#include <utility>

namespace tarnkit {

TKMenuType TKMenuType::sectionHeader(QString title)
{
    TKMenuType type(Kind::sectionHeader);
    type.title_ = std::move(title);
    return type;
}

TKMenuType TKMenuType::documentTemplates(MenuDelegate* delegate)
{
    TKMenuType type(Kind::documentTemplates);
    type.delegate_ = delegate;
    return type;
}

TKMenuType TKMenuType::recentDocuments(MenuDelegate* delegate)
{
    TKMenuType type(Kind::recentDocuments);
    type.delegate_ = delegate;
    return type;
}

bool operator==(const TKMenuType& a, const TKMenuType& b)
{
    if (a.kind_ != b.kind_)
        return false;
    switch (a.kind_) {
    case TKMenuType::Kind::sectionHeader: return a.title_ == b.title_;
    case TKMenuType::Kind::documentTemplates:
    case TKMenuType::Kind::recentDocuments: return a.delegate_.data() == b.delegate_.data();
    case TKMenuType::Kind::standard:
    case TKMenuType::Kind::separator:
    case TKMenuType::Kind::services: return true;
    }
    return false;
}

} // namespace tarnkit
