#pragma once

// Tests on a real X server: the test program runs itself again under `xvfb-run -a` (a private
// Xvfb of 1280 x 800 without a window manager) and drives the pointer with xdotool. Without
// xvfb-run or xdotool every test skips.

#include <string>

// True when the program runs on the private X server with xdotool at hand.
bool OnXServer();

// Runs xdotool with arguments (e.g. "mousemove 120 40"); true when it succeeded.
bool Xdotool(const std::string& arguments);

// Moves the pointer to the screen point and lets the window system deliver what follows.
void MovePointerTo(int x, int y);
