#include "Zindle/SparkleHelper.h"

#include "platform/foundation/MainQueue.h"
#include "platform/update/FeedAddress.h"

namespace zindleapp {

namespace {
constexpr std::string_view source = "Zindle/SparkleHelper";
}

SparkleHelper::SparkleHelper()
{
    foundation::mainQueue::requireMainThread("init() called off the main thread", source, __LINE__);
}

QString SparkleHelper::feedURLString(const update::Updater&)
{
    foundation::mainQueue::requireMainThread("feedURLString(for:) called off the main thread", source, __LINE__);
    return update::feedUrl().toString(QUrl::FullyEncoded);
}

} // namespace zindleapp
