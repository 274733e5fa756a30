#pragma once
// The splash pictures delivered next to the programs: "Kelwin.BMP" (480 x 300, a dive
// profile under a sea surface) and "Teswin.BMP" (360 x 240, a dive computer talking to
// its infrared interface box). Drawn with QPainter from fixed shapes only, no fonts and
// no randomness, so each call gives the same pixels.
//
//   QImage splash = DrawKelwinSplash();
//   QByteArray bmp = EncodeBmp24(splash);

#include <QImage>

inline constexpr int kKelwinSplashWidth = 480;
inline constexpr int kKelwinSplashHeight = 300;
inline constexpr int kTeswinSplashWidth = 360;
inline constexpr int kTeswinSplashHeight = 240;

QImage DrawKelwinSplash();
QImage DrawTeswinSplash();
