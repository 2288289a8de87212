#pragma once

#include <QString>

// What a team's name may hold. A score file keeps one team per line as
// "name;score" in code page 949, so a name can hold no line break (nor any
// other control character) and no ";", only characters the code page has,
// and at most 100 of them, which keeps every line far below what the reader
// takes.
namespace TeamName {

inline constexpr int MaxLength = 100;

bool isUsable(const QString &name);

// The name a team can have that comes closest: without the characters a
// name cannot hold, cut at MaxLength. A saved game written elsewhere may
// hold longer names, tabs or bytes the code page lacks.
QString fitted(const QString &name);

} // namespace TeamName
