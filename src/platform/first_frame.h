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

// Qt loads every image format plugin the first time it reads an image file,
// to ask each whether it reads the format, and the style reads one in the
// first paint. Called on another thread during start-up, it leaves them
// loaded for the first paint. Needs the application object.
void loadImagePlugins();
