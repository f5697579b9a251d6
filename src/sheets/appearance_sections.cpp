#include "sheets/appearance_sections.h"

#include "app/user_settings.h"
#include "sheets/theme_row.h"

namespace sheets {

using app::UserSettings;

SiderealZodiacSection::SiderealZodiacSection(UserSettings& settings, QWidget* parent)
    : FormSection(tr("SIDEREAL ZODIAC"),
                  tr("Replace tropical zodiac information (Western) for sidereal zodiac (Eastern)"), parent),
      row_(new ToggleRow(tr("Sidereal zodiac"), settings,
                         {&UserSettings::showSiderealZodiac, &UserSettings::setShowSiderealZodiac,
                          &UserSettings::showSiderealZodiacChanged},
                         this)) {
    addRow(row_);
}

ChineseZodiacSection::ChineseZodiacSection(UserSettings& settings, QWidget* parent)
    : FormSection(tr("CHINESE ZODIAC"), tr("Show the Chinese zodiac sign for the given year"), parent),
      row_(new ToggleRow(tr("Chinese zodiac"), settings,
                         {&UserSettings::showChineseZodiac, &UserSettings::setShowChineseZodiac,
                          &UserSettings::showChineseZodiacChanged},
                         this)) {
    addRow(row_);
}

ThemeSection::ThemeSection(UserSettings& settings, QWidget* parent) : FormSection(tr("THEME"), QString(), parent) {
    rows_ = {new ThemeRow(tr("System"), 0, this), new ThemeRow(tr("Dark"), 2, this), new ThemeRow(tr("Light"), 1, this)};
    for (ThemeRow* row : rows_) {
        addRow(row);
        // Written also when it is the stored value already: the store is saved again.
        connect(row, &ThemeRow::clicked, &settings, [&settings, value = row->value()] { settings.setTheme(value); });
    }
    mark(settings.theme());
    connect(&settings, &UserSettings::themeChanged, this, &ThemeSection::mark);
}

void ThemeSection::mark(qint64 theme) {
    for (ThemeRow* row : rows_) row->setMarked(row->value() == theme);
}

} // namespace sheets
