#pragma once

#include "Mossbell/AssetResources.h"

#include "platform/foundation/Bundle.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstddef>
#include <mutex>
#include <vector>

namespace mossbell {

/// The frames of a module's image strips (its DialStrip table), each strip read from the
/// module's bundle the first time it is used and kept for the process: a turning dial repaints
/// at pointer rate and must not decode files. Any thread.
template <typename Strip, std::size_t stripCount>
class StripFrames {
public:
    /// name(strip, i) names frame i; a strip's frames are numbered from firstFrame on.
    StripFrames(const foundation::Bundle& (*bundle)(), QString (*name)(Strip, int), int firstFrame)
        : bundle_(bundle), name_(name), firstFrame_(firstFrame)
    {
    }

    /// Frame frame of strip at a pixel scale; null for a frame the strip does not have.
    QImage image(Strip strip, int frame, qreal pixelScale) const
    {
        const auto& frames = framesOf(strip);
        const int index = frame - firstFrame_;
        if (index < 0 || std::size_t(index) >= frames.size())
            return QImage();
        return frames[std::size_t(index)].image(pixelScale);
    }

private:
    const std::vector<ImageResource>& framesOf(Strip strip) const
    {
        const auto row = std::size_t(strip);
        std::call_once(made_[row], [&] {
            const int count = dialStripInfo(strip).frameCount;
            frames_[row].reserve(std::size_t(count));
            for (int frame = firstFrame_; frame < firstFrame_ + count; ++frame)
                frames_[row].emplace_back(name_(strip, frame), bundle_());
        });
        return frames_[row];
    }

    const foundation::Bundle& (*bundle_)();
    QString (*name_)(Strip, int);
    int firstFrame_;
    mutable std::array<std::once_flag, stripCount> made_;
    mutable std::array<std::vector<ImageResource>, stripCount> frames_;
};

} // namespace mossbell
