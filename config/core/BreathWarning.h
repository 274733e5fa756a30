#pragma once
// The breath warning sensitivity: the dive computer stores a code W (25 ... 97) that
// grows exponentially with the 25 positions of the window's scroll bar,
// W = round((exp(position / 24) * c + d) * 512).
//
//   int w = BreathCodeOfPosition(12);      // 52, the middle setting
//   int p = BreathPositionOfCode(52);      // 12

// c = 0.140625 / (e - 1) and d = 0.048828125 - c, computed once.
struct TBreathConstants {
    double c;
    double d;
};
const TBreathConstants& BreathConstants();

// Scroll position 0 ... 24 -> code W.
int BreathCodeOfPosition(int position);
// Code W -> scroll position, clamped to 0 ... 24.
int BreathPositionOfCode(int code);
