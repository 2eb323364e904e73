#pragma once
// The configuration steps of start-up, apart from main so that they can be run by a test:
// "Lantrel.xml" is opened and its trace settings read before tracing starts, and the rest is
// parsed once it runs. No main window exists yet, so what the user must see at this point
// (a file that cannot be read, a badly tiled fixture type) is shown in parentless boxes.

#include <QString>

// Opens the file into g_SoftConf and reads its trace settings; the status of the open. A file
// that exists but is not well-formed leaves the program on its built-in settings, tracing to
// the window only, and is never written over.
int OpenApplicationConfig(const QString &qsPath);
// Reads the rest of the file (iOpenStatus as OpenApplicationConfig returned it): a file that
// could not be parsed is reported first, with its line and column; the catalogue's warnings
// are shown as they are met. A document without root is given one for the histories.
void ParseApplicationConfig(const QString &qsPath, int iOpenStatus);
