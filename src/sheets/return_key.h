#pragma once
// Return and Enter confirm what is typed in a field; they never close a sheet.

class QKeyEvent;
class QPushButton;

namespace sheets {

// True, and the event taken, when it is Return or Enter.
bool swallowReturnKey(QKeyEvent* event);

// The button never becomes the dialog's default, which Return would press.
void keepOffReturnKey(QPushButton* button);

} // namespace sheets
