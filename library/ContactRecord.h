#pragma once

// The contact record as the maps saved from now on carry it: "KVR6Contact.cfg"
// read into ContactFields and each value checked as a typed one is
// (TuneMap::Field_Problem), since a hand-written or older file never passed the
// contact window's check.

#include <QString>

namespace TuneMap {

// Reads the contact file (WtsGeneral::Read_Contact_File); a value a tune-map
// header cannot keep ("Make:Ford", which the header would read as the make) is
// taken out of ContactFields, so that no saved map carries it. Returns the
// sentence naming each such value and why, for the user; empty when every value
// can stand. Throws KvrError as the reader does when the file cannot be read.
QString Read_Checked_Contact_File();

} // namespace TuneMap
