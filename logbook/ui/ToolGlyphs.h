#pragma once
// The sixteen glyphs of the main window's tool bar, drawn with QPainter so that they look
// the same on every desktop and need no picture files.
//
//   action->setIcon(ToolGlyph(EToolGlyph::Save));

#include <QIcon>
#include <QPixmap>

// Tool bar order, left to right.
enum class EToolGlyph {
    New,
    Open,
    Save,
    Print,
    Transfer,
    Edit,
    Insert,
    Delete,
    Statistics,
    Select,
    TimeZone,
    Data,
    Profile,
    DiveComputer,
    Physiological,
    Tissue,
};

inline constexpr int kToolGlyphCount = 16;

// The glyph drawn on a transparent square of the given size (device-independent pixels).
QPixmap DrawToolGlyph(EToolGlyph glyph, int size);
// Normal and disabled forms at the tool bar's size.
QIcon ToolGlyph(EToolGlyph glyph);
