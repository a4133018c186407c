#pragma once

// The main window's menu entries and button whose windows live in this folder:
// Load Tune Map, Save (Ctrl+S), Save As, Change Library Names and View Map Name.

namespace Library {

// Loads and shows the library window.
void mnuLoadLib_Click();
// Save: asks for a file name only while there is no current one; errors are
// told and leave the map unsaved with no current file name.
void mnuSave_Click();
// Save As: always asks for the file name.
void mnuSaveAS_Click();
// The start of both: the file-information record takes the current map's
// names and file name, and the map-file editor opens in its save layout.
void Save_File_Start();
// Shows the map names dialog.
void Show_Names();

} // namespace Library
