#include "tools/zindle-host/WindowApplication.h"

#include <QMessageLogContext>
#include <QString>

#include <string>
#include <vector>

#include <unistd.h>

namespace zindlehost {

namespace {

// What Qt says while it starts, held until it has started: its warnings about platforms it
// could not open only matter when it then finds none, and that case we say in our own words.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    std::string file;
    std::string function;
    int line;
    QString text;
};

std::vector<HeldMessage> heldMessages;
const std::function<int()>* reportNoDisplay = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) // Qt aborts when this returns: no platform could start
        _exit((*reportNoDisplay)());
    heldMessages.push_back({type, context.category ? context.category : "", context.file ? context.file : "",
                            context.function ? context.function : "", context.line, text});
}

} // namespace

std::unique_ptr<QApplication> openWindowApplication(int& argc, char** argv, const std::function<int()>& noDisplay)
{
    reportNoDisplay = &noDisplay;
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    reportNoDisplay = nullptr;
    for (const HeldMessage& held : heldMessages) {
        const QMessageLogContext context(held.file.c_str(), held.line, held.function.c_str(), held.category.c_str());
        if (previous)
            previous(held.type, context, held.text);
        else
            qt_message_output(held.type, context, held.text);
    }
    heldMessages.clear();
    return application;
}

} // namespace zindlehost
