#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <exception>

namespace ostrelshaders {

/// Why a renderer could not be made: the view has no device, or its device gives no command
/// queue. Two errors are equal when their cases are.
class RendererError : public std::exception {
public:
    enum class Case { noValidDevice };

    static RendererError noValidDevice() { return RendererError(Case::noValidDevice); }

    Case errorCase() const { return case_; }

    /// "No valid metal device", unless the application translates it.
    QString localizedDescription() const
    {
        return QCoreApplication::translate("MetalRenderer.Error.description", "No valid metal device",
                                           "Error message shown run on a machine without metal");
    }

    const char* what() const noexcept override { return text_.constData(); }

    bool operator==(const RendererError& other) const { return case_ == other.case_; }

private:
    explicit RendererError(Case errorCase) : case_(errorCase), text_(localizedDescription().toUtf8()) {}

    Case case_;
    QByteArray text_;
};

} // namespace ostrelshaders
