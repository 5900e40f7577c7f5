#pragma once

namespace ProgramFolder {

// Gives the user a mask list of their own on first use.
//
// Installed, the user's mask.kmf lives in the per-user data folder while the
// program ships a starter list in its data folder. When the user has no list
// yet, this copies the starter list there, creating the folder. An existing
// file, even an empty one, is never replaced, and two copies of the program
// starting at once cannot overwrite each other: the copy is written under a
// hidden name and then moved into place only if the name is still free.
// In the portable layout both are the same file and nothing is copied.
//
// Returns true when the user's mask list exists afterwards. Call it before
// the mask list is first loaded.
bool ensureUserMaskList();

} // namespace ProgramFolder
