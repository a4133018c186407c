#pragma once

namespace WtsGeneral {

// Reads "KVR6Mode.cfg" into OnlineState, UnitName, ProductNumber, PbTop and PbLeft.
// A missing file is created with its two default lines first. Each field is read
// on its own: a bad value leaves that field as it was and the others are read.
void Read_Mode_File();

// Writes "KVR6Mode.cfg" anew from the current state. The old file is replaced only
// once the new one is completely written. Throws KvrError on failure.
void Write_Mode_File();

// Write_Mode_File, telling the user when the file could not be written.
// Returns whether it was written.
bool Write_Mode_File_Reporting();

} // namespace WtsGeneral
