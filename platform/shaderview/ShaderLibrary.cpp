#include "platform/shaderview/ShaderLibrary.h"

#include "platform/shaderview/ShaderError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace shaderview {

namespace fs = std::filesystem;

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ShaderError("cannot read shader source " + path.toStdString());
    return QString::fromUtf8(file.readAll());
}

// Replaces each `#include "name"` line with the named file of the shader folder, each file
// once (a second include of it, or one of itself, becomes an empty line).
QString expandIncludes(const QString& text, const QDir& folder, QSet<QString>& included)
{
    static const QRegularExpression includeLine(QStringLiteral(R"re(^\s*#\s*include\s+"([^"]+)"\s*$)re"));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const QRegularExpressionMatch match = includeLine.match(line);
        if (!match.hasMatch())
            continue;
        const QString name = match.captured(1);
        if (included.contains(name)) {
            line.clear();
            continue;
        }
        included.insert(name);
        line = expandIncludes(readText(folder.filePath(name)), folder, included);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

fs::path ShaderLibrary::shaderDirectory(const fs::path& bundlePath)
{
    return bundlePath / "Shaders";
}

ShaderLibrary ShaderLibrary::load(const fs::path& bundlePath)
{
    const QDir folder(QString::fromStdString(shaderDirectory(bundlePath).string()));
    if (!folder.exists())
        throw ShaderError("no shader library in " + bundlePath.string());

    ShaderLibrary library;
    const QFileInfoList files = folder.entryInfoList({QStringLiteral("*.vert"), QStringLiteral("*.frag")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        QSet<QString> included{file.fileName()};
        ShaderFunction function;
        function.name = file.completeBaseName();
        function.stage = file.suffix() == QLatin1String("vert") ? ShaderStage::vertex : ShaderStage::fragment;
        function.source = expandIncludes(readText(file.filePath()), folder, included);
        library.functions_.insert(function.name, function);
    }
    return library;
}

std::optional<ShaderFunction> ShaderLibrary::function(const QString& name) const
{
    const auto it = functions_.find(name);
    if (it == functions_.end())
        return std::nullopt;
    return *it;
}

} // namespace shaderview
