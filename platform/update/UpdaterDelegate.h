#pragma once

#include <QString>

namespace update {

class Updater;

/// What the host application tells its updater. Main thread.
class UpdaterDelegate {
public:
    virtual ~UpdaterDelegate() = default;

    /// The address of the appcast, asked at the start of every check. An empty text means the
    /// host has none (the check then fails, saying so).
    virtual QString feedURLString(const Updater& updater) = 0;
};

} // namespace update
