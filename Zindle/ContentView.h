#pragma once

#include "Zindle/ContentViewModel.h"
#include "Zindle/TitleView.h"

#include "OstrelShaders/ContentViewShader.h"
#include "platform/foundation/Bundle.h"
#include "platform/ui/BasicViews.h"
#include "platform/ui/Button.h"
#include "platform/ui/Stack.h"

#include <QPointer>

#include <memory>

namespace zindleapp {

/// The whole content of the application's window, one fixed column: the title "Zindle" over
/// the animated waveform band (300 points high), the two instruction blocks, the version line,
/// the maker's artwork, and the "Help" and "Vartlow Website" buttons; in debug mode also the
/// line "Dev Only Debugging: " with the model's status, and each time the view comes on screen
/// it has the model validate the effect once. Without debug mode (the application's setting)
/// the model is never asked for anything. Main thread.
class ContentView : public ui::Stack {
public:
    ContentView(std::shared_ptr<ContentViewModel> model, bool debugMode, qreal buttonWidth, QWidget* parent = nullptr);
    ~ContentView() override;

    const std::shared_ptr<ContentViewModel>& model() const { return model_; }
    bool debugMode() const { return debugMode_; }
    qreal buttonWidth() const { return buttonWidth_; }

    /// The bundle's short version, a blank and its build version in parentheses, a missing
    /// value counting as empty: "1.0.0 (1)", or " ()" for a bundle with neither.
    static QString versionString(const foundation::Bundle& bundle);

    // The parts, for those who look at the window.
    ostrelshaders::ContentViewShader* shaderBand() const { return shader_; }
    TitleView* title() const { return title_; }
    ui::Button* helpButton() const { return help_; }
    ui::Button* websiteButton() const { return website_; }
    /// Null unless in debug mode.
    ui::TextView* debugLine() const { return debugLine_; }

    /// The band's height and the layout width of each button (its label is buttonWidth wide).
    static constexpr qreal bandHeight = 300;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::shared_ptr<ContentViewModel> model_;
    bool debugMode_;
    qreal buttonWidth_;
    QPointer<ostrelshaders::ContentViewShader> shader_;
    QPointer<TitleView> title_;
    QPointer<ui::Button> help_;
    QPointer<ui::Button> website_;
    QPointer<ui::TextView> debugLine_;
};

} // namespace zindleapp
