#pragma once

class MainWindow;

// What the program does before its window is first shown: it sets the
// caption, writes the defaults of missing settings it meets, and puts the
// stored state into the controls. Each step goes on quietly when it cannot
// do its work; nothing is reported.
namespace Startup {

void run(MainWindow &window);

} // namespace Startup
