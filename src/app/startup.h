#pragma once

#include <QString>
#include <QStringList>

// The program's arguments, its own name excluded. Windows hands the program
// one raw command line, split here by the program's own rules; elsewhere the
// system passes the arguments already split.
QStringList CommandLineArgs();

// The book path a user types in a terminal is relative to where they are,
// not to the program's directory: the first argument, when relative, is
// made absolute against `startDirectory`. Other arguments are left alone.
QStringList ResolveBookArgument(QStringList args, const QString& startDirectory);

// Books and dialogs ask for the face "宋体"; on systems without it, draw
// it with an installed Song-style face.
void MapSongFace();
