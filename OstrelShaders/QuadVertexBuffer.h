#pragma once

#include "platform/shaderview/Device.h"

#include <memory>
#include <utility>

namespace ostrelshaders {

/// The full-view quad every renderer of the module draws: four clip-space vertices of two
/// floats, (-1, -1), (-1, 1), (1, -1), (1, 1), drawn as a triangle strip; 32 bytes.
/// Empty buffer when the device cannot allocate it.
std::pair<std::unique_ptr<shaderview::Buffer>, int> makeQuadVertexBuffer(shaderview::Device& device);

} // namespace ostrelshaders
