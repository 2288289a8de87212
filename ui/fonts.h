#pragma once

#include <QFont>

// The faces the windows were designed with come first, so Korean Windows
// uses them; then Windows' own Korean face, "맑은 고딕"; Debian's Nanum
// faces stand in where all of them are missing.

// "HY견고딕" at a pixel size, regular.
QFont hyGothicFont(int pixelSize);

// "굴림" at a pixel size; Arial for Latin text, "맑은 고딕" or NanumGothic
// for Hangul.
QFont gulimFont(int pixelSize, bool bold = false);

#include <QString>

// Adds the font files (.ttf, .otf) of `folder` for this program alone: the
// Nanum faces the Windows program carries in "fonts" beside it. Returns how
// many were added; a missing folder adds none.
int addFontsFrom(const QString &folder);
