#pragma once
// The main window's way into its two sheets: the toolbar's calendar and
// settings buttons, and the presenting of each sheet over the content with the
// content's selected date and refresh flag lent to it.
//
// Each opening makes a new sheet, modal over the content's window, that is
// deleted when it closes; the call returns at once.

class QAction;
class QToolBar;

namespace sheets {
class CalendarView;
class PreferencesView;
}

namespace mainwindow {

class ContentView;

struct SheetButtons {
    QAction* calendar = nullptr;
    QAction* preferences = nullptr;
};

SheetButtons addSheetButtons(QToolBar& toolbar, ContentView& content);

sheets::CalendarView* presentCalendar(ContentView& content);
sheets::PreferencesView* presentPreferences(ContentView& content);

} // namespace mainwindow
