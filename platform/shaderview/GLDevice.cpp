#include "platform/shaderview/GLDevice.h"

#include "platform/shaderview/CommandBuffer.h"
#include "platform/shaderview/ShaderError.h"
#include "platform/shaderview/ShaderView.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLVersionFunctionsFactory>
#include <QOpenGLWidget>
#include <QRegularExpression>
#include <QtDebug>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace shaderview {

namespace {

using GL = QOpenGLFunctions_3_3_Core;

// Indices a shader may use per kind; plenty for full-view effects.
constexpr int maxInputs = 16;
constexpr int maxVertexBuffers = 8;
constexpr std::size_t maxInlineBytes = 256;

GL* functionsOf(QOpenGLContext* context)
{
    auto* gl = QOpenGLVersionFunctionsFactory::get<GL>(context);
    if (gl)
        gl->initializeOpenGLFunctions();
    return gl;
}

GLenum internalFormatOf(PixelFormat format)
{
    return format == PixelFormat::rgba16Float ? GL_RGBA16F : GL_RGBA8;
}

// ---------------------------------------------------------------------------------------
// The device: its own context and surface, for GL work outside the views' drawing.

class GLDeviceCore {
public:
    bool create()
    {
        QOpenGLContext* group = QOpenGLContext::globalShareContext();
        if (!group)
            return false;
        QSurfaceFormat format = QSurfaceFormat::defaultFormat();
        format.setRenderableType(QSurfaceFormat::OpenGL);
        format.setVersion(3, 3);
        format.setProfile(QSurfaceFormat::CoreProfile);
        context_.setFormat(format);
        context_.setShareContext(group);
        if (!context_.create() || !QOpenGLContext::areSharing(&context_, group))
            return false;
        if (context_.format().version() < qMakePair(3, 3) || context_.isOpenGLES())
            return false;
        surface_.setFormat(context_.format());
        surface_.create();
        if (!surface_.isValid() || !context_.makeCurrent(&surface_))
            return false;
        GL* gl = functionsOf(&context_);
        if (!gl)
            return false;
        name_ = QString::fromLatin1(reinterpret_cast<const char*>(gl->glGetString(GL_RENDERER)));
        context_.doneCurrent();
        return true;
    }

    bool isValid() const { return context_.isValid(); }
    const QString& name() const { return name_; }

    /// A context of the device's share group current for the life of the scope: the one that
    /// is current already (a view drawing), else the device's own.
    class Scope {
    public:
        explicit Scope(GLDeviceCore& core)
        {
            previous_ = QOpenGLContext::currentContext();
            previousSurface_ = previous_ ? previous_->surface() : nullptr;
            QOpenGLContext* context = previous_;
            if (!previous_ || !QOpenGLContext::areSharing(previous_, &core.context_)) {
                if (!core.context_.makeCurrent(&core.surface_))
                    return;
                context = &core.context_;
                switched_ = &core;
            }
            gl_ = functionsOf(context);
        }
        ~Scope()
        {
            if (!switched_)
                return;
            if (previous_ && previousSurface_)
                previous_->makeCurrent(previousSurface_);
            else
                switched_->context_.doneCurrent();
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        GL* gl() const { return gl_; }

    private:
        QOpenGLContext* previous_ = nullptr;
        QSurface* previousSurface_ = nullptr;
        GLDeviceCore* switched_ = nullptr;
        GL* gl_ = nullptr;
    };

    QOpenGLContext& context() { return context_; }

private:
    QOpenGLContext context_;
    QOffscreenSurface surface_;
    QString name_;
};

using Core = std::shared_ptr<GLDeviceCore>;

// ---------------------------------------------------------------------------------------
// Resources. Each keeps the device's core alive so it can delete its GL object.

class GLBuffer final : public Buffer {
public:
    GLBuffer(Core core, const void* bytes, std::size_t length)
        : core_(std::move(core)), bytes_(static_cast<const std::byte*>(bytes), static_cast<const std::byte*>(bytes) + length)
    {
    }
    ~GLBuffer() override
    {
        if (!object_)
            return;
        GLDeviceCore::Scope scope(*core_);
        if (scope.gl())
            scope.gl()->glDeleteBuffers(1, &object_);
    }

    std::size_t length() const override { return bytes_.size(); }
    const std::byte* contents() const override { return bytes_.data(); }

    /// The GL buffer object, made on first use as vertex data (fragment inputs are uniforms
    /// and read the bytes directly). Needs a current context of the group.
    GLuint object(GL& gl) const
    {
        if (!object_) {
            gl.glGenBuffers(1, &object_);
            gl.glBindBuffer(GL_ARRAY_BUFFER, object_);
            gl.glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes_.size()), bytes_.data(), GL_STATIC_DRAW);
        }
        return object_;
    }

private:
    Core core_;
    std::vector<std::byte> bytes_;
    mutable GLuint object_ = 0;
};

class GLTexture final : public Texture {
public:
    GLTexture(Core core, GLuint object, QSize size) : core_(std::move(core)), object_(object), size_(size) {}
    ~GLTexture() override
    {
        GLDeviceCore::Scope scope(*core_);
        if (scope.gl())
            scope.gl()->glDeleteTextures(1, &object_);
    }
    QSize size() const override { return size_; }
    GLuint object() const { return object_; }

private:
    Core core_;
    GLuint object_;
    QSize size_;
};

/// A uniform that carries fragment input i: its location and what glUniform* it takes.
struct InputSlot {
    GLint location = -1;
    GLenum type = 0;
    GLint arraySize = 0;
    std::size_t byteLength = 0;
};

struct UniformType {
    GLenum type;
    int components;
    enum Kind { floats, ints, uints } kind;
};

// The uniform types a fragment input may have (4-byte components, tightly packed).
constexpr std::array<UniformType, 12> uniformTypes{{
    {GL_FLOAT, 1, UniformType::floats},
    {GL_FLOAT_VEC2, 2, UniformType::floats},
    {GL_FLOAT_VEC3, 3, UniformType::floats},
    {GL_FLOAT_VEC4, 4, UniformType::floats},
    {GL_INT, 1, UniformType::ints},
    {GL_INT_VEC2, 2, UniformType::ints},
    {GL_INT_VEC3, 3, UniformType::ints},
    {GL_INT_VEC4, 4, UniformType::ints},
    {GL_UNSIGNED_INT, 1, UniformType::uints},
    {GL_UNSIGNED_INT_VEC2, 2, UniformType::uints},
    {GL_UNSIGNED_INT_VEC3, 3, UniformType::uints},
    {GL_UNSIGNED_INT_VEC4, 4, UniformType::uints},
}};

const UniformType* uniformType(GLenum type)
{
    const auto it = std::find_if(uniformTypes.begin(), uniformTypes.end(), [type](const UniformType& t) { return t.type == type; });
    return it == uniformTypes.end() ? nullptr : &*it;
}

int floatComponents(GLenum type)
{
    switch (type) {
    case GL_FLOAT: return 1;
    case GL_FLOAT_VEC2: return 2;
    case GL_FLOAT_VEC3: return 3;
    case GL_FLOAT_VEC4: return 4;
    default: return 0;
    }
}

class GLPipeline final : public RenderPipelineState {
public:
    GLPipeline(Core core, GLuint program, QString label, PixelFormat format)
        : core_(std::move(core)), program_(program), label_(std::move(label)), format_(format)
    {
    }
    ~GLPipeline() override
    {
        GLDeviceCore::Scope scope(*core_);
        if (scope.gl())
            scope.gl()->glDeleteProgram(program_);
    }

    QString label() const override { return label_; }
    PixelFormat colorPixelFormat() const override { return format_; }

    GLuint program() const { return program_; }
    std::array<InputSlot, maxInputs> inputs{};
    std::array<int, maxVertexBuffers> attributeComponents{}; // by location; 0 = unused

private:
    Core core_;
    GLuint program_;
    QString label_;
    PixelFormat format_;
};

// Reads the fragment inputs ("f<i>_name") and textures ("t<i>_name") of a linked program,
// and points each texture's sampler at unit i.
void introspect(GL& gl, GLPipeline& pipeline)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^([ft])(\d+)_)"));
    const GLuint program = pipeline.program();
    gl.glUseProgram(program);
    GLint count = 0;
    gl.glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    for (GLint u = 0; u < count; ++u) {
        char name[256];
        GLsizei nameLength = 0;
        GLint size = 0;
        GLenum type = 0;
        gl.glGetActiveUniform(program, GLuint(u), sizeof name, &nameLength, &size, &type, name);
        QString uniform = QString::fromLatin1(name, nameLength);
        if (uniform.endsWith(QLatin1String("[0]")))
            uniform.chop(3);
        const QRegularExpressionMatch match = pattern.match(uniform);
        if (!match.hasMatch())
            continue;
        const int index = match.captured(2).toInt();
        if (index >= maxInputs)
            throw ShaderError("shader input index too large in " + uniform.toStdString());
        const GLint location = gl.glGetUniformLocation(program, name);
        if (match.captured(1) == QLatin1String("t")) {
            gl.glUniform1i(location, index);
            continue;
        }
        const UniformType* kind = uniformType(type);
        if (!kind)
            throw ShaderError("fragment input " + uniform.toStdString() + " has a type the host cannot set");
        pipeline.inputs[std::size_t(index)] = InputSlot{location, type, size, std::size_t(kind->components) * 4 * std::size_t(size)};
    }
    GLint attributes = 0;
    gl.glGetProgramiv(program, GL_ACTIVE_ATTRIBUTES, &attributes);
    for (GLint a = 0; a < attributes; ++a) {
        char name[256];
        GLsizei nameLength = 0;
        GLint size = 0;
        GLenum type = 0;
        gl.glGetActiveAttrib(program, GLuint(a), sizeof name, &nameLength, &size, &type, name);
        const GLint location = gl.glGetAttribLocation(program, name);
        if (location < 0 || location >= maxVertexBuffers || floatComponents(type) == 0)
            throw ShaderError("vertex input " + std::string(name) + " needs a location below 8 and a float type");
        pipeline.attributeComponents[std::size_t(location)] = floatComponents(type);
    }
    gl.glUseProgram(0);
}

GLuint compile(GL& gl, const ShaderFunction& function)
{
    const GLuint shader = gl.glCreateShader(function.stage == ShaderStage::vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    const QByteArray text = function.source.toUtf8();
    const char* pointer = text.constData();
    gl.glShaderSource(shader, 1, &pointer, nullptr);
    gl.glCompileShader(shader);
    GLint ok = GL_FALSE;
    gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[4096] = {};
        gl.glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        gl.glDeleteShader(shader);
        throw ShaderError("function " + function.name.toStdString() + " does not compile: " + log);
    }
    return shader;
}

// ---------------------------------------------------------------------------------------
// Commands: GL runs them at once in the view's context, which is current while it draws.

class GLEncoder final : public RenderCommandEncoder {
public:
    GLEncoder(GL& gl, const RenderPassDescriptor& pass) : gl_(gl), pass_(pass)
    {
        gl_.glBindFramebuffer(GL_FRAMEBUFFER, pass.framebuffer);
        gl_.glDisable(GL_DEPTH_TEST);
        gl_.glDisable(GL_BLEND);
        gl_.glDisable(GL_SCISSOR_TEST);
        gl_.glDisable(GL_CULL_FACE);
        gl_.glViewport(0, 0, pass.size.width(), pass.size.height());
        gl_.glClearColor(pass.clearColor[0], pass.clearColor[1], pass.clearColor[2], pass.clearColor[3]);
        gl_.glClear(GL_COLOR_BUFFER_BIT);
        viewport_ = Viewport{0, 0, double(pass.size.width()), double(pass.size.height()), 0, 1};
    }

    void setLabel(const QString& label) override { label_ = label; }

    void setRenderPipelineState(const RenderPipelineState& pipeline) override
    {
        pipeline_ = static_cast<const GLPipeline*>(&pipeline);
    }

    void setViewport(const Viewport& viewport) override { viewport_ = viewport; }

    void setVertexBuffer(const Buffer* buffer, std::size_t offset, int index) override
    {
        if (index >= 0 && index < maxVertexBuffers)
            vertexBuffers_[std::size_t(index)] = {static_cast<const GLBuffer*>(buffer), offset};
    }

    void setFragmentBytes(const void* bytes, std::size_t length, int index) override
    {
        if (index < 0 || index >= maxInputs || length > maxInlineBytes)
            return;
        Input& input = inputs_[std::size_t(index)];
        std::memcpy(input.bytes.data(), bytes, length);
        input.length = length;
        input.buffer = nullptr;
    }

    void setFragmentBuffer(const Buffer* buffer, std::size_t offset, int index) override
    {
        if (index < 0 || index >= maxInputs)
            return;
        Input& input = inputs_[std::size_t(index)];
        input.buffer = buffer;
        input.offset = offset;
        input.length = 0;
    }

    void setFragmentTexture(const Texture* texture, int index) override
    {
        if (index >= 0 && index < maxInputs)
            textures_[std::size_t(index)] = static_cast<const GLTexture*>(texture);
    }

    void drawPrimitives(PrimitiveType type, int vertexStart, int vertexCount) override
    {
        if (!pipeline_)
            return;
        if (pipeline_->colorPixelFormat() != pass_.pixelFormat) {
            qWarning("shaderview: pipeline \"%s\" is for another colour format than its view; not drawn",
                     qPrintable(pipeline_->label()));
            return;
        }
        gl_.glUseProgram(pipeline_->program());
        gl_.glBindVertexArray(pass_.vertexArray);
        bindVertexBuffers();
        uploadInputs();
        for (int i = 0; i < maxInputs; ++i) {
            gl_.glActiveTexture(GLenum(GL_TEXTURE0 + i));
            gl_.glBindTexture(GL_TEXTURE_2D, textures_[std::size_t(i)] ? textures_[std::size_t(i)]->object() : 0);
        }
        gl_.glActiveTexture(GL_TEXTURE0);
        // The viewport's origin is the top left; GL counts rows from the bottom.
        const int height = pass_.size.height();
        gl_.glViewport(GLint(viewport_.originX), GLint(height - (viewport_.originY + viewport_.height)),
                       GLsizei(viewport_.width), GLsizei(viewport_.height));
        gl_.glDrawArrays(type == PrimitiveType::triangleStrip ? GL_TRIANGLE_STRIP : GL_TRIANGLES, vertexStart, vertexCount);
        gl_.glBindVertexArray(0);
        gl_.glUseProgram(0);
    }

    void endEncoding() override {}

private:
    struct Input {
        std::array<std::byte, maxInlineBytes> bytes{};
        std::size_t length = 0;
        const Buffer* buffer = nullptr;
        std::size_t offset = 0;
    };

    void bindVertexBuffers()
    {
        for (int location = 0; location < maxVertexBuffers; ++location) {
            const int components = pipeline_->attributeComponents[std::size_t(location)];
            const auto& [buffer, offset] = vertexBuffers_[std::size_t(location)];
            if (components == 0)
                continue;
            if (!buffer) {
                gl_.glDisableVertexAttribArray(GLuint(location));
                continue;
            }
            gl_.glBindBuffer(GL_ARRAY_BUFFER, buffer->object(gl_));
            gl_.glEnableVertexAttribArray(GLuint(location));
            gl_.glVertexAttribPointer(GLuint(location), components, GL_FLOAT, GL_FALSE, components * 4,
                                      reinterpret_cast<const void*>(offset));
        }
        gl_.glBindBuffer(GL_ARRAY_BUFFER, 0);
    }

    void uploadInputs()
    {
        for (int index = 0; index < maxInputs; ++index) {
            const InputSlot& slot = pipeline_->inputs[std::size_t(index)];
            const Input& input = inputs_[std::size_t(index)];
            if (slot.location < 0 || slot.byteLength == 0)
                continue;
            const std::byte* bytes = input.bytes.data();
            std::size_t available = input.length;
            if (input.buffer) {
                bytes = input.buffer->contents() + std::min(input.offset, input.buffer->length());
                available = input.buffer->length() - std::min(input.offset, input.buffer->length());
            }
            if (available < slot.byteLength) {
                if (available > 0 || input.buffer)
                    qWarning("shaderview: fragment input %d of \"%s\" needs %zu bytes, was given %zu", index,
                             qPrintable(pipeline_->label()), slot.byteLength, available);
                continue;
            }
            upload(slot, bytes);
        }
    }

    void upload(const InputSlot& slot, const std::byte* bytes)
    {
        // Copied to aligned storage: a buffer offset need not be.
        alignas(16) std::array<std::byte, 4096> aligned;
        if (slot.byteLength > aligned.size())
            return;
        std::memcpy(aligned.data(), bytes, slot.byteLength);
        const auto* f = reinterpret_cast<const GLfloat*>(aligned.data());
        const auto* i = reinterpret_cast<const GLint*>(aligned.data());
        const auto* u = reinterpret_cast<const GLuint*>(aligned.data());
        const GLint n = slot.arraySize;
        switch (slot.type) {
        case GL_FLOAT: gl_.glUniform1fv(slot.location, n, f); break;
        case GL_FLOAT_VEC2: gl_.glUniform2fv(slot.location, n, f); break;
        case GL_FLOAT_VEC3: gl_.glUniform3fv(slot.location, n, f); break;
        case GL_FLOAT_VEC4: gl_.glUniform4fv(slot.location, n, f); break;
        case GL_INT: gl_.glUniform1iv(slot.location, n, i); break;
        case GL_INT_VEC2: gl_.glUniform2iv(slot.location, n, i); break;
        case GL_INT_VEC3: gl_.glUniform3iv(slot.location, n, i); break;
        case GL_INT_VEC4: gl_.glUniform4iv(slot.location, n, i); break;
        case GL_UNSIGNED_INT: gl_.glUniform1uiv(slot.location, n, u); break;
        case GL_UNSIGNED_INT_VEC2: gl_.glUniform2uiv(slot.location, n, u); break;
        case GL_UNSIGNED_INT_VEC3: gl_.glUniform3uiv(slot.location, n, u); break;
        case GL_UNSIGNED_INT_VEC4: gl_.glUniform4uiv(slot.location, n, u); break;
        default: break;
        }
    }

    GL& gl_;
    RenderPassDescriptor pass_;
    QString label_;
    const GLPipeline* pipeline_ = nullptr;
    Viewport viewport_;
    std::array<std::pair<const GLBuffer*, std::size_t>, maxVertexBuffers> vertexBuffers_{};
    std::array<Input, maxInputs> inputs_{};
    std::array<const GLTexture*, maxInputs> textures_{};
};

class GLCommandBuffer final : public CommandBuffer {
public:
    explicit GLCommandBuffer(Core core) : core_(std::move(core)) {}

    void setLabel(const QString& label) override { label_ = label; }
    QString label() const override { return label_; }

    std::unique_ptr<RenderCommandEncoder> makeRenderCommandEncoder(const RenderPassDescriptor& pass) override
    {
        // Only while a view of the group draws: its context is current, its target bound.
        QOpenGLContext* current = QOpenGLContext::currentContext();
        if (!current || !QOpenGLContext::areSharing(current, &core_->context()) || pass.vertexArray == 0)
            return nullptr;
        GL* gl = functionsOf(current);
        if (!gl)
            return nullptr;
        return std::make_unique<GLEncoder>(*gl, pass);
    }

    // The view's surface shows its target once the frame returns; nothing to hand over.
    void present(const Drawable&) override {}
    void commit() override {}

private:
    Core core_;
    QString label_;
};

class GLCommandQueue final : public CommandQueue {
public:
    explicit GLCommandQueue(Core core) : core_(std::move(core)) {}
    std::unique_ptr<CommandBuffer> makeCommandBuffer() override
    {
        if (!core_->isValid())
            return nullptr;
        return std::make_unique<GLCommandBuffer>(core_);
    }

private:
    Core core_;
};

// ---------------------------------------------------------------------------------------
// The widget a view shows its frames in.

class GLSurface final : public QOpenGLWidget {
public:
    explicit GLSurface(ShaderView& view) : QOpenGLWidget(&view), view_(view)
    {
        QSurfaceFormat format = QSurfaceFormat::defaultFormat();
        format.setVersion(3, 3);
        format.setProfile(QSurfaceFormat::CoreProfile);
        setFormat(format);
        setTextureFormat(internalFormatOf(view.colorPixelFormat()));
        // The view handles input; the surface only shows pictures.
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    ~GLSurface() override
    {
        // QOpenGLWidget's destructor, which runs after this one, destroys the context: its
        // signal must not reach a surface that is already gone.
        QObject::disconnect(contextGoing_);
        releaseVertexArray();
    }

protected:
    void initializeGL() override
    {
        // Once per context: a surface moved to another window gets a new one.
        QObject::disconnect(contextGoing_);
        contextGoing_ =
            QObject::connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { releaseVertexArray(); });
        if (GL* gl = functionsOf(context()))
            gl->glGenVertexArrays(1, &vertexArray_);
    }

    void resizeGL(int, int) override { view_.updateDrawableSize(); }

    void paintGL() override
    {
        RenderPassDescriptor pass;
        pass.size = QSize(int(std::lround(width() * devicePixelRatioF())), int(std::lround(height() * devicePixelRatioF())));
        pass.pixelFormat = view_.colorPixelFormat();
        pass.clearColor = view_.clearColor();
        pass.framebuffer = defaultFramebufferObject();
        pass.vertexArray = vertexArray_;
        if (GL* gl = functionsOf(context())) {
            // A view without a delegate shows its clear colour.
            const auto& c = pass.clearColor;
            gl->glClearColor(c[0], c[1], c[2], c[3]);
            gl->glClear(GL_COLOR_BUFFER_BIT);
        }
        view_.drawFrame(pass);
    }

private:
    void releaseVertexArray()
    {
        if (!vertexArray_ || !context())
            return;
        makeCurrent();
        if (GL* gl = functionsOf(context()))
            gl->glDeleteVertexArrays(1, &vertexArray_);
        vertexArray_ = 0;
        doneCurrent();
    }

    ShaderView& view_;
    GLuint vertexArray_ = 0;
    QMetaObject::Connection contextGoing_;
};

// ---------------------------------------------------------------------------------------

class GLDevice final : public Device {
public:
    explicit GLDevice(Core core) : core_(std::move(core)) {}

    QString name() const override { return core_->name(); }

    std::unique_ptr<CommandQueue> makeCommandQueue() override
    {
        if (!core_->isValid())
            return nullptr;
        return std::make_unique<GLCommandQueue>(core_);
    }

    std::unique_ptr<RenderPipelineState> makeRenderPipelineState(const RenderPipelineDescriptor& descriptor) override
    {
        if (!descriptor.vertexFunction || descriptor.vertexFunction->stage != ShaderStage::vertex)
            throw ShaderError("pipeline \"" + descriptor.label.toStdString() + "\" has no vertex function");
        if (!descriptor.fragmentFunction || descriptor.fragmentFunction->stage != ShaderStage::fragment)
            throw ShaderError("pipeline \"" + descriptor.label.toStdString() + "\" has no fragment function");
        GLDeviceCore::Scope scope(*core_);
        GL* gl = scope.gl();
        if (!gl)
            throw ShaderError("the GL device cannot be used");
        const GLuint vertex = compile(*gl, *descriptor.vertexFunction);
        GLuint fragment = 0;
        try {
            fragment = compile(*gl, *descriptor.fragmentFunction);
        } catch (...) {
            gl->glDeleteShader(vertex);
            throw;
        }
        const GLuint program = gl->glCreateProgram();
        gl->glAttachShader(program, vertex);
        gl->glAttachShader(program, fragment);
        gl->glLinkProgram(program);
        gl->glDeleteShader(vertex);
        gl->glDeleteShader(fragment);
        GLint ok = GL_FALSE;
        gl->glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (ok != GL_TRUE) {
            char log[4096] = {};
            gl->glGetProgramInfoLog(program, sizeof log, nullptr, log);
            gl->glDeleteProgram(program);
            throw ShaderError("pipeline \"" + descriptor.label.toStdString() + "\" does not link: " + log);
        }
        auto pipeline = std::make_unique<GLPipeline>(core_, program, descriptor.label, descriptor.colorPixelFormat);
        introspect(*gl, *pipeline);
        return pipeline;
    }

    std::unique_ptr<Buffer> makeBuffer(const void* bytes, std::size_t length) override
    {
        if (!bytes || length == 0)
            return nullptr;
        return std::make_unique<GLBuffer>(core_, bytes, length);
    }

    std::unique_ptr<Texture> makeTexture(const QImage& image) override
    {
        if (image.isNull())
            throw ShaderError("no image for a texture");
        GLDeviceCore::Scope scope(*core_);
        GL* gl = scope.gl();
        if (!gl)
            throw ShaderError("the GL device cannot be used");
        const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888);
        while (gl->glGetError() != GL_NO_ERROR) {
            // drop what earlier work left, so the check below is about this texture
        }
        GLint largest = 0;
        gl->glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
        if (pixels.width() > largest || pixels.height() > largest)
            throw ShaderError("image too large for a texture");
        GLuint texture = 0;
        gl->glGenTextures(1, &texture);
        gl->glBindTexture(GL_TEXTURE_2D, texture);
        gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        gl->glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(pixels.bytesPerLine() / 4));
        // Rows go in top first, so texture coordinate y = 0 is the image's top row.
        gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_SRGB8_ALPHA8, pixels.width(), pixels.height(), 0, GL_RGBA,
                         GL_UNSIGNED_BYTE, pixels.constBits());
        gl->glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        gl->glGenerateMipmap(GL_TEXTURE_2D);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        gl->glBindTexture(GL_TEXTURE_2D, 0);
        const bool failed = gl->glGetError() != GL_NO_ERROR;
        auto result = std::make_unique<GLTexture>(core_, texture, pixels.size());
        if (failed)
            throw ShaderError("the device cannot make a texture of that image");
        return result;
    }

    QWidget* makeDrawingSurface(ShaderView& view) override { return new GLSurface(view); }

private:
    Core core_;
};

} // namespace

std::shared_ptr<Device> makeGLDevice()
{
    auto core = std::make_shared<GLDeviceCore>();
    if (!core->create())
        return nullptr;
    return std::make_shared<GLDevice>(std::move(core));
}

} // namespace shaderview
