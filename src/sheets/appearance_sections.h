#pragma once
// SIDEREAL ZODIAC, CHINESE ZODIAC and THEME: what the main window shows of the
// zodiac, and how the program looks. Each control writes its preference at
// once. The theme rows, in screen order "System" (0), "Dark" (2) and "Light"
// (1), mark the row whose value the stored theme equals exactly: a stored value
// outside these marks none.

#include "sheets/form_rows.h"

#include <array>

namespace sheets {

class ThemeRow;

class SiderealZodiacSection : public FormSection {
    Q_OBJECT

public:
    explicit SiderealZodiacSection(app::UserSettings& settings, QWidget* parent = nullptr);
    ToggleRow* row() const noexcept { return row_; }

private:
    ToggleRow* row_;
};

class ChineseZodiacSection : public FormSection {
    Q_OBJECT

public:
    explicit ChineseZodiacSection(app::UserSettings& settings, QWidget* parent = nullptr);
    ToggleRow* row() const noexcept { return row_; }

private:
    ToggleRow* row_;
};

class ThemeSection : public FormSection {
    Q_OBJECT

public:
    explicit ThemeSection(app::UserSettings& settings, QWidget* parent = nullptr);

    // In screen order.
    const std::array<ThemeRow*, 3>& rows() const noexcept { return rows_; }

private:
    void mark(qint64 theme);

    std::array<ThemeRow*, 3> rows_{};
};

} // namespace sheets
