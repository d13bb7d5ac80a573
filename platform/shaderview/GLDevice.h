#pragma once

#include "platform/shaderview/Device.h"

#include <memory>

namespace shaderview {

/// The OpenGL 3.3 core device: a context in the application's shared GL group (for making
/// pipelines, buffers and textures outside the views' drawing) whose objects every shader
/// view's QOpenGLWidget draws with. Empty when no such context can be made.
std::shared_ptr<Device> makeGLDevice();

} // namespace shaderview
