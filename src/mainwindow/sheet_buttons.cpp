#include "mainwindow/sheet_buttons.h"

#include "mainwindow/content_view.h"
#include "sheets/calendar_view.h"
#include "sheets/preferences_view.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>

namespace mainwindow {
namespace {

sheets::Binding<platform::Date> selectedDateOf(ContentView& content) {
    return {[&content] { return content.selectedDate(); },
            [&content](platform::Date date) { content.setSelectedDate(date); }};
}

sheets::Binding<bool> refreshInfoOf(ContentView& content) {
    return {[&content] { return content.refreshInfo(); }, [&content](bool value) { content.setRefreshInfo(value); }};
}

template <class Sheet>
Sheet* present(Sheet* sheet) {
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
    return sheet;
}

} // namespace

SheetButtons addSheetButtons(QToolBar& toolbar, ContentView& content) {
    SheetButtons buttons;
    buttons.calendar = toolbar.addAction(QIcon::fromTheme(QStringLiteral("x-office-calendar")),
                                         ContentView::tr("Calendar"), &content, [&content] { presentCalendar(content); });
    buttons.preferences =
        toolbar.addAction(QIcon::fromTheme(QStringLiteral("preferences-system")), ContentView::tr("Settings"), &content,
                          [&content] { presentPreferences(content); });
    return buttons;
}

sheets::CalendarView* presentCalendar(ContentView& content) {
    return present(new sheets::CalendarView(selectedDateOf(content), refreshInfoOf(content), &content));
}

sheets::PreferencesView* presentPreferences(ContentView& content) {
    return present(new sheets::PreferencesView(refreshInfoOf(content), &content));
}

} // namespace mainwindow
