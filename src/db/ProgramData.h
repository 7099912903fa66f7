// Where the program finds the files that come with it: the shipped working
// databases (OrvCurrent.mdb, OrvLast.mdb) and the user guide (help/).
#pragma once
#include <QString>

namespace orv {

// The folder of the shipped files for a program started from `programDir`:
// `programDir` itself when the shipped databases lie there (a build tree or
// an unpacked copy); else, for an installed program, <prefix>/share/orvedit
// reached from <prefix>/bin when that folder holds them; else `programDir`.
QString programDataDir(const QString& programDir);
// The same for the running program (QCoreApplication::applicationDirPath()).
QString programDataDir();

}  // namespace orv
