#pragma once

// The file-information record ("KVR6FileInfo.cfg", LibRecord) as the library's
// windows keep it. The record only remembers the last file worked on: a program
// folder that cannot take it (read-only, full) must not stop a map from being
// loaded, edited or deleted.

namespace Library {

// Writes LibRecord to the file-information file. When that fails the user is
// told once, as a failed write, until a write succeeds again; LibRecord keeps
// the record. Returns whether it was written.
bool Save_File_Info();

// Reads the file-information file into LibRecord, unless its last write failed:
// LibRecord then holds the newer record already.
void Read_File_Info();

} // namespace Library
