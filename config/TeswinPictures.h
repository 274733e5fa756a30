#pragma once
// The pictures of the configuration tool's window, drawn at run time: the tank in the
// breath settings, the dive computer in the info group and the about box, and the
// tool bar's button glyphs.
//
//   label->setPixmap(TankPicture(QSize(40, 96)));
//   button->setIcon(ToolIcon(TToolGlyph::Read));

#include <QIcon>
#include <QPixmap>
#include <QSize>

enum class TToolGlyph { Read, Write, WakeUp, Print };

QPixmap TankPicture(QSize size);
QPixmap DiveComputerPicture(QSize size);
QIcon ToolIcon(TToolGlyph glyph);
