#pragma once

// A device that draws nowhere, for tests without GL: it keeps what it was asked to make.

#include "platform/shaderview/CommandBuffer.h"
#include "platform/shaderview/Device.h"
#include "platform/shaderview/ShaderError.h"

#include <QStringList>

#include <vector>

namespace shaderview::testing {

class FakeBuffer final : public Buffer {
public:
    FakeBuffer(const void* bytes, std::size_t length)
        : bytes_(static_cast<const std::byte*>(bytes), static_cast<const std::byte*>(bytes) + length)
    {
    }
    std::size_t length() const override { return bytes_.size(); }
    const std::byte* contents() const override { return bytes_.data(); }

private:
    std::vector<std::byte> bytes_;
};

class FakeTexture final : public Texture {
public:
    explicit FakeTexture(QSize size) : size_(size) {}
    QSize size() const override { return size_; }

private:
    QSize size_;
};

class FakePipeline final : public RenderPipelineState {
public:
    explicit FakePipeline(const RenderPipelineDescriptor& descriptor) : descriptor_(descriptor) {}
    QString label() const override { return descriptor_.label; }
    PixelFormat colorPixelFormat() const override { return descriptor_.colorPixelFormat; }
    const RenderPipelineDescriptor& descriptor() const { return descriptor_; }

private:
    RenderPipelineDescriptor descriptor_;
};

class FakeQueue final : public CommandQueue {
public:
    std::unique_ptr<CommandBuffer> makeCommandBuffer() override { return nullptr; }
};

class FakeDevice final : public Device {
public:
    bool givesQueue = true;
    bool allocates = true;

    std::vector<RenderPipelineDescriptor> pipelines;
    std::vector<QSize> textureSizes;

    QString name() const override { return QStringLiteral("fake"); }

    std::unique_ptr<CommandQueue> makeCommandQueue() override
    {
        return givesQueue ? std::make_unique<FakeQueue>() : nullptr;
    }

    std::unique_ptr<RenderPipelineState> makeRenderPipelineState(const RenderPipelineDescriptor& descriptor) override
    {
        // Same rule as the GL device: both functions or no pipeline.
        if (!descriptor.vertexFunction || !descriptor.fragmentFunction)
            throw ShaderError("pipeline \"" + descriptor.label.toStdString() + "\" lacks a function");
        pipelines.push_back(descriptor);
        return std::make_unique<FakePipeline>(descriptor);
    }

    std::unique_ptr<Buffer> makeBuffer(const void* bytes, std::size_t length) override
    {
        if (!allocates)
            return nullptr;
        return std::make_unique<FakeBuffer>(bytes, length);
    }

    std::unique_ptr<Texture> makeTexture(const QImage& image) override
    {
        if (image.isNull())
            throw ShaderError("no image");
        textureSizes.push_back(image.size());
        return std::make_unique<FakeTexture>(image.size());
    }

    QWidget* makeDrawingSurface(ShaderView&) override { return nullptr; }
};

} // namespace shaderview::testing
