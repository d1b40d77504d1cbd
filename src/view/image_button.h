#pragma once

#include <QString>

class PictureBox;

// Loads a button face from the game's image folder; the file is read at every
// change. A missing or unreadable file leaves the button as it was.
void ShowButtonImage(PictureBox& button, const QString& appDir, const QString& file);
