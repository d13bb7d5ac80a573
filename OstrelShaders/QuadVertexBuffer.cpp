#include "OstrelShaders/QuadVertexBuffer.h"

#include <array>

namespace ostrelshaders {

std::pair<std::unique_ptr<shaderview::Buffer>, int> makeQuadVertexBuffer(shaderview::Device& device)
{
    static constexpr std::array<float, 8> quad{-1, -1, -1, 1, 1, -1, 1, 1};
    return {device.makeBuffer(quad.data(), sizeof quad), 4};
}

} // namespace ostrelshaders
