#include "sheets/general_section.h"

#include "app/global_model.h"
#include "app/user_settings.h"
#include "sheets/coordinate_row.h"
#include "sheets/form_rows.h"

#include <QVBoxLayout>

namespace sheets {

using app::UserSettings;

GeneralSection::GeneralSection(UserSettings& settings, app::GlobalModel& global, QWidget* parent)
    : FormSection(tr("GENERAL"),
                  tr("Specific coordinates overrides automatic location detection. If you deny location "
                     "services and do not specify coordinates here, the app will use London, UK."),
                  parent),
      settings_(settings),
      global_(global),
      specificCoords_(new ToggleRow(tr("Specific coordinates"), settings,
                                    {&UserSettings::specificCoords, &UserSettings::setSpecificCoords,
                                     &UserSettings::specificCoordsChanged},
                                    this)),
      rows_(new QWidget(this)) {
    auto* rowsLayout = new QVBoxLayout(rows_);
    rowsLayout->setContentsMargins(0, 0, 0, 0);
    addRow(specificCoords_);
    addRow(rows_);

    if (settings_.specificCoords()) showRows();
    connect(&settings_, &UserSettings::specificCoordsChanged, this, &GeneralSection::specificCoordsChanged);
}

void GeneralSection::appear() { loadRows(); }

void GeneralSection::disappear() { commitRows(); }

// The preference is already written when the rows come or go, so turning the
// switch off stores the switch first and then what the rows held.
void GeneralSection::specificCoordsChanged(bool on) {
    if (on && !latitude_) {
        showRows();
        loadRows();
    } else if (!on && latitude_) {
        commitRows();
        removeRows();
    }
}

void GeneralSection::showRows() {
    latitude_ = new CoordinateRow(tr("Latitude"), CoordinateAxis::latitude, rows_);
    longitude_ = new CoordinateRow(tr("Longitude"), CoordinateAxis::longitude, rows_);
    rows_->layout()->addWidget(latitude_);
    rows_->layout()->addWidget(longitude_);
}

void GeneralSection::removeRows() {
    delete latitude_;
    delete longitude_;
    latitude_ = nullptr;
    longitude_ = nullptr;
}

void GeneralSection::loadRows() {
    if (!latitude_) return;
    latitude_->load(settings_.coordsLat());
    longitude_->load(settings_.coordsLon());
}

void GeneralSection::commitRows() {
    if (!latitude_) return;
    if (const auto lat = latitude_->take()) {
        settings_.setCoordsLat(*lat);
        global_.setLatitude(*lat);
    }
    if (const auto lon = longitude_->take()) {
        settings_.setCoordsLon(*lon);
        global_.setLongitude(*lon);
    }
}

} // namespace sheets
