#pragma once

#include "platform/ui/Stack.h"

namespace tarnkit {

/// A thin line across a settings form between groups of rows, 16 points in from each side with
/// 8 points above and below. Main thread.
class TarnSettingsDivider : public ui::Stack {
public:
    explicit TarnSettingsDivider(QWidget* parent = nullptr);
};

} // namespace tarnkit
