#pragma once

// Key codes as the handlers see them, whatever the keyboard layout.
constexpr int vbKeyReturn = 13;
constexpr int vbKeyEscape = 27;
