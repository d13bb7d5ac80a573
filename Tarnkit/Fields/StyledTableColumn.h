#pragma once

#include "Tarnkit/Fields/TableColumn.h"

#include <optional>

namespace tarnkit {

/// A column that carries an image into its header cell (each time the header cell is read or
/// replaced, also when the image is none) and a string identifier for its owner, which the
/// library never reads. Main thread only.
class StyledTableColumn : public TableColumn {
public:
    explicit StyledTableColumn(QString identifier);

    const ImageRef& image() const { return image_; }
    void setImage(ImageRef image) { image_ = std::move(image); }
    const std::optional<QString>& idString() const { return idString_; }
    void setIdString(std::optional<QString> id) { idString_ = std::move(id); }

    TableHeaderCell& headerCell() override;
    void setHeaderCell(std::unique_ptr<TableHeaderCell> cell) override;

private:
    ImageRef image_;
    std::optional<QString> idString_;
};

} // namespace tarnkit
