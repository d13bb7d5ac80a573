#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace shaderview {

enum class ShaderStage {
    vertex,
    fragment,
};

/// One named function of a library: its stage and its complete GLSL source.
struct ShaderFunction {
    QString name;
    ShaderStage stage = ShaderStage::vertex;
    QString source;
};

/// A module's shader library: the GLSL 330 core sources in "<bundle>/Shaders/", one function a
/// file, "<functionName>.vert" for vertex and "<functionName>.frag" for fragment functions.
/// A source may pull in shared code with a line `#include "file.glsl"` (a file beside it,
/// included once).
///
/// How a function meets the host (see docs/shaderview.md):
///   vertex buffer index i     the attribute at `layout(location = i)`, tightly packed floats
///   fragment input i (bytes or a buffer)  a uniform whose name starts with "f<i>_",
///                             e.g. `uniform vec2 f0_viewSize;`, `uniform float f3_on[6];`
///   fragment texture i        a sampler whose name starts with "t<i>_", e.g. `t0_logo`
///
/// A value: cheap to copy, reads the disk only in load().
class ShaderLibrary {
public:
    /// Reads every function of the library in bundlePath; throws ShaderError when the bundle
    /// has no shader folder or a source (or one it includes) cannot be read.
    static ShaderLibrary load(const std::filesystem::path& bundlePath);

    /// The function of that name, empty when the library lacks it.
    std::optional<ShaderFunction> function(const QString& name) const;
    QStringList functionNames() const { return functions_.keys(); }

    static std::filesystem::path shaderDirectory(const std::filesystem::path& bundlePath);

private:
    QMap<QString, ShaderFunction> functions_;
};

} // namespace shaderview
