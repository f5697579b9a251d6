#pragma once
// GENERAL: the user's own coordinates in place of location detection. A switch
// for `specificCoords` and, while it is on, a latitude and a longitude row.
//
// The rows load the stored `coordsLat` and `coordsLon` when they come on screen
// and commit when they leave it (the switch turned off, or the sheet closing):
// each row writes its preference and then the observer position of the global
// model. A row whose field holds no valid coordinate, and never held one,
// writes nothing (coordinate_row.h).

#include "sheets/form_rows.h"

namespace app {
class GlobalModel;
class UserSettings;
}

namespace sheets {

class CoordinateRow;

class GeneralSection : public FormSection {
    Q_OBJECT

public:
    GeneralSection(app::UserSettings& settings, app::GlobalModel& global, QWidget* parent = nullptr);

    // The sheet came on screen, or is leaving it.
    void appear();
    void disappear();

    ToggleRow* specificCoordsRow() const noexcept { return specificCoords_; }
    // Null while `specificCoords` is off.
    CoordinateRow* latitudeRow() const noexcept { return latitude_; }
    CoordinateRow* longitudeRow() const noexcept { return longitude_; }

private:
    void specificCoordsChanged(bool on);
    void showRows();
    void removeRows();
    void loadRows();
    void commitRows();

    app::UserSettings& settings_;
    app::GlobalModel& global_;
    ToggleRow* specificCoords_;
    QWidget* rows_;
    CoordinateRow* latitude_ = nullptr;
    CoordinateRow* longitude_ = nullptr;
};

} // namespace sheets
