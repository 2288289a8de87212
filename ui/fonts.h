#pragma once

#include <QFont>

// The faces the windows were designed with come first, so Korean Windows
// uses them; Debian's Nanum faces stand in where they are missing.

// "HY견고딕" at a pixel size, regular.
QFont hyGothicFont(int pixelSize);

// "굴림" at a pixel size; Arial for Latin text, NanumGothic for Hangul.
QFont gulimFont(int pixelSize, bool bold = false);
