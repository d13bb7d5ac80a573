#include "tools/zindle-host/ProgressBar.h"

#include <algorithm>

namespace zindlehost {

namespace {

constexpr int barWidth = 40;
constexpr const char* eraseLine = "\r\033[K";

} // namespace

ProgressBar::ProgressBar(std::ostream& stream, bool enabled, std::size_t total, std::string label)
    : stream_(stream), enabled_(enabled && total > 0), total_(total), label_(std::move(label))
{
    update(0);
}

ProgressBar::~ProgressBar() { finish(); }

void ProgressBar::update(std::size_t done)
{
    if (!enabled_)
        return;
    const auto percent = static_cast<int>(std::min<std::size_t>(done, total_) * 100 / total_);
    if (percent == shownPercent_)
        return;
    shownPercent_ = percent;
    const int filled = percent * barWidth / 100;
    stream_ << eraseLine << label_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
            << std::string(static_cast<std::size_t>(barWidth - filled), '.') << "] " << percent << "%" << std::flush;
}

void ProgressBar::finish()
{
    if (!enabled_)
        return;
    enabled_ = false;
    stream_ << eraseLine << std::flush;
}

} // namespace zindlehost
