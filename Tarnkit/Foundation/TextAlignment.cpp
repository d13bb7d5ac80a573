#include "Tarnkit/Foundation/TextAlignment.h"

#include "platform/foundation/FatalError.h"

namespace tarnkit {

Qt::Alignment nsTextAlignment(TextAlignment alignment)
{
    switch (alignment) {
    case TextAlignment::leading: return Qt::AlignLeft;
    case TextAlignment::center: return Qt::AlignHCenter;
    case TextAlignment::trailing: return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

Qt::TextElideMode nsLineBreakMode(TruncationMode mode)
{
    switch (mode) {
    case TruncationMode::head: return Qt::ElideLeft;
    case TruncationMode::tail: return Qt::ElideRight;
    case TruncationMode::middle: return Qt::ElideMiddle;
    }
    foundation::fatalError("Unknown truncation mode", "Tarnkit/TextAlignment", __LINE__);
}

} // namespace tarnkit
