#pragma once
// A library of pictures that lies beside the program and holds nothing else.
// The windows load it by its file name once and keep the handle for the rest
// of the run; neither a missing library nor a missing picture is an error: the
// picture then comes out empty and the window works without it.
#include <QPixmap>
#include <QString>

// 0 stands for "not loaded", as the windows test it before loading.
using HINSTANCE = int;

// Loads the library of that name from the program's own folder. The name
// keeps the extension the windows use ("KeldDll1.dll"); the file itself is the
// compiled resource file of the same base name ("KeldDll1.rcc"). Loading the
// same library again gives the same handle.
HINSTANCE LoadLibrary(const QString& fileName);

// The picture of that name in a loaded library; empty for handle 0 or a name
// the library does not hold.
QPixmap LoadBitmap(HINSTANCE library, const QString& name);
