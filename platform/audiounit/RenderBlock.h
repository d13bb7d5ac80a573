#pragma once

#include "platform/audiounit/AudioBufferList.h"
#include "platform/audiounit/AudioTimeStamp.h"
#include "platform/audiounit/FunctionRef.h"
#include "platform/audiounit/RenderEvent.h"
#include "platform/audiounit/Status.h"

#include <cstdint>
#include <functional>

namespace au {

using FrameCount = std::uint32_t;
/// Flags a render call passes along; nothing in this layer acts on them.
using RenderActionFlags = std::uint32_t;

/// How an effect gets its input: the host renders frameCount frames of input bus busNumber
/// into the given list. The host may replace the data pointers with its own (they then stay
/// valid until the render call returns). Called on the render thread, inside a render call.
using PullInputBlock = FunctionRef<Status(RenderActionFlags& flags, const AudioTimeStamp& timestamp,
                                          FrameCount frameCount, std::int64_t busNumber, AudioBufferList* inputData)>;

/// One render call: frameCount frames for output bus outputBusNumber into outputData, with the
/// events due in this call (may be nullptr) and the way to pull the inputs (may be empty).
/// Called on the host's render thread. The block is fetched once and stored by its caller;
/// calling it allocates nothing.
using RenderBlock = std::function<Status(RenderActionFlags& flags, const AudioTimeStamp& timestamp,
                                         FrameCount frameCount, std::int64_t outputBusNumber,
                                         AudioBufferList* outputData, const RenderEvent* events,
                                         PullInputBlock pullInput)>;

/// The effect's own render block, which the unit's render block wraps.
using InternalRenderBlock = RenderBlock;

} // namespace au
