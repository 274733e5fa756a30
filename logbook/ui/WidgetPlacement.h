#pragma once
// Window placements of the settings record applied to and taken from real windows: the
// outer (frame) rectangle, kept as it was in the normal state while the window is
// maximised or minimised, and the state.
//
//   RestoreWidgetPlacement(settings.MainPlacement, mainWindow);   // before show()
//   SaveWidgetPlacement(settings.MainPlacement, mainWindow);      // at close

#include "SettingsRecord.h"
#include "Startup.h"

class QRect;

class QWidget;

// The window's frame as the platform reports it.
WindowGeometry WidgetGeometry(const QWidget& window);
void SaveWidgetPlacement(WindowPlacement& placement, const QWidget& window);
// Sets the normal rectangle first, then the state. A window that is not shown yet gets
// only the rectangle; the returned state is applied with ApplyWidgetState once it is
// shown, so that restoring it later returns to that rectangle on every platform.
WindowShowState RestoreWidgetPlacement(const WindowPlacement& placement, QWidget& window);
void ApplyWidgetState(QWidget& window, WindowShowState state);
// Gives the window this outer rectangle; a top-level window that has no frame yet gets it
// as soon as the window manager has framed it.
void SetWidgetFrame(QWidget& window, const QRect& frame);
