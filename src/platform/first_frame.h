#pragma once

#include <functional>

class QWidget;

// Runs work once, right after the window's first frame has been painted and
// handed to the screen: what the first frame does not need waits until then.
void afterFirstFrame(QWidget& window, std::function<void()> work);

// With TAZUMEKI_FIRST_FRAME set, prints "first-frame-ns N" on stdout, N being
// the monotonic clock now in nanoseconds, so a launcher can time exec to the
// first frame. Called first thing after the first frame; does nothing otherwise.
void reportFirstFrameIfAsked();
