#pragma once
// Keeps every window of a program at least as wide as its title needs: a window manager
// writes the title in the title bar between the window's icon and its buttons, and cuts it
// in the middle when the window is narrower ("Read Data fr…ve computer"). Titles change
// with the language and with the dive shown, so the width is checked whenever a window's
// title changes and when it is shown, for dialogs and for windows of fixed width; a main
// window's title names its file and is shortened like any other program's.
//
//   new TTitleFit(this);   // in the main window's constructor; ends with the main window

#include <QObject>

class QString;
class QWidget;

// Width in pixels a title bar needs to show `title` whole: the title in the bold
// application font, plus the icon, the buttons and the frame a window manager adds.
int TitleBarWidth(const QString& title);

// Widens `window` when it is narrower than its title needs; a window of fixed size keeps
// its height and gets the new width as its fixed width, and contents placed without a
// layout move to keep the middle. Frameless and untitled windows stay as they are.
void FitWidthToTitle(QWidget& window);

class TTitleFit : public QObject {
public:
    // Watches every top-level window of the application while `owner` lives.
    explicit TTitleFit(QObject* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
