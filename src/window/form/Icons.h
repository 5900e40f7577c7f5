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

} // namespace Icons
