#pragma once

#include <QIcon>

// The small images of the window's buttons and tools: the desktop's icon
// theme where it has one, otherwise simple drawn glyphs that follow the
// palette.
namespace Icons {

QIcon add();    // add a mask to the list
QIcon remove(); // remove a mask from the list
QIcon done();   // close an option panel
QIcon menu();   // a button that opens a menu
QIcon copy();
QIcon save();
QIcon exit();
QIcon help();
QIcon about();
QIcon settings();
// The new-version notice's stand-ins for icons/update.ico and icons/close.ico
// when those are missing: a blue disc with a download arrow, a grey cross.
QIcon newVersion(int size);
QIcon closeNotice(int size);

} // namespace Icons
