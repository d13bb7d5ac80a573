// Opens one of the shader module's views in a window:
//   zindle-shader-viewer [waveform|about|supporter] [--size WIDTHxHEIGHT]
// In the supporter view, keys 1 to 6 press a switch; letting go flips it.

#include "OstrelShaders/AboutShaderViewController.h"
#include "OstrelShaders/MetalShaderViewController.h"
#include "OstrelShaders/SupporterShaderViewController.h"
#include "platform/shaderview/Device.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QKeyEvent>
#include <QWidget>

#include <array>
#include <cstdio>
#include <memory>

namespace {

struct Choice {
    const char* name;
    QSize size; // points
};

constexpr std::array<Choice, 3> choices{{{"waveform", {400, 300}}, {"about", {360, 360}}, {"supporter", {440, 140}}}};

/// Keys 1 to 6 drive the supporter view's switches like fingers would.
class SwitchKeys final : public QObject {
public:
    explicit SwitchKeys(ostrelshaders::SupporterShaderViewController& controller) : controller_(controller) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool press = event->type() == QEvent::KeyPress;
        if (!press && event->type() != QEvent::KeyRelease)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const int index = key->key() - Qt::Key_1;
        if (key->isAutoRepeat() || index < 0 || index > 5)
            return QObject::eventFilter(watched, event);
        if (press) {
            controller_.switchDown(index);
        } else {
            controller_.switchUp(index);
            on_[std::size_t(index)] = !on_[std::size_t(index)];
            if (on_[std::size_t(index)])
                controller_.switchOn(index);
            else
                controller_.switchOff(index);
        }
        return true;
    }

private:
    ostrelshaders::SupporterShaderViewController& controller_;
    std::array<bool, 6> on_{true, false, true, false, false, false};
};

} // namespace

int main(int argc, char** argv)
{
    shaderview::prepareApplication();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zindle-shader-viewer"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows one of the shader module's views in a window."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("view"), QStringLiteral("waveform (default), about or supporter"));
    QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Window size in points."), QStringLiteral("WIDTHxHEIGHT"));
    parser.addOption(sizeOption);
    parser.process(application);

    const QString wanted = parser.positionalArguments().value(0, QStringLiteral("waveform"));
    const Choice* choice = nullptr;
    for (const Choice& c : choices) {
        if (wanted == QLatin1String(c.name))
            choice = &c;
    }
    if (!choice) {
        std::fprintf(stderr, "unknown view \"%s\": waveform, about or supporter\n", qPrintable(wanted));
        return 2;
    }
    QSize size = choice->size;
    if (parser.isSet(sizeOption)) {
        const QStringList parts = parser.value(sizeOption).split(QLatin1Char('x'));
        const QSize given = parts.size() == 2 ? QSize(parts[0].toInt(), parts[1].toInt()) : QSize();
        if (given.isEmpty()) {
            std::fprintf(stderr, "--size wants WIDTHxHEIGHT, e.g. 400x300\n");
            return 2;
        }
        size = given;
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("Shader viewer: %1").arg(wanted));
    window.resize(size);
    window.setFocusPolicy(Qt::StrongFocus);

    std::unique_ptr<ostrelshaders::ShaderViewController> controller;
    std::unique_ptr<SwitchKeys> keys;
    if (wanted == QLatin1String("waveform")) {
        controller = std::make_unique<ostrelshaders::MetalShaderViewController>(
            &window, QStringLiteral("Main"), QStringLiteral("audioWaveformVertexShader"),
            QStringLiteral("audioWaveformFragmentShader"));
    } else if (wanted == QLatin1String("about")) {
        controller = std::make_unique<ostrelshaders::AboutShaderViewController>(&window);
    } else {
        auto supporter = std::make_unique<ostrelshaders::SupporterShaderViewController>(&window, QStringLiteral("Supporter"));
        supporter->setInitialButtonStates(true, false, true, false, false, false);
        keys = std::make_unique<SwitchKeys>(*supporter);
        window.installEventFilter(keys.get());
        controller = std::move(supporter);
    }

    window.show();
    if (!controller->metalKitView() || !controller->metalKitView()->device())
        std::fprintf(stderr, "no OpenGL 3.3 device here: the view stays empty\n");
    const int status = application.exec();
    controller.reset();
    return status;
}
