#pragma once

// The contact record as the maps saved from now on carry it: "KVR6Contact.cfg"
// read into ContactFields and each value checked as a typed one is
// (TuneMap::Field_Problem), since a hand-written or older file never passed the
// contact window's check.

#include <QString>

namespace TuneMap {

// Reads the contact file into ContactFields 1..11 (empty when the file is
// missing), as WtsGeneral::Write_Contact_File writes it: after the line holding
// "Display IN:", up to the line "END Contact:", the record line ",v1,...,v11,"
// (a line of fewer than eleven fields holds none; of several, the last counts).
// Lines end at CR LF or LF (CRs just before the LF belong to the line end); a
// CR anywhere else stands inside its line, which it would split in two, so that
// the values after it land in the wrong fields: such a line, from the one
// holding "Display IN:" on, gives no value and is named by its number. A value
// a tune-map header cannot keep ("Make:Ford", which the header would read as the
// make; a NUL or another control character but a tab; more than
// LongestHeaderValue characters) is taken out of ContactFields, so that no
// saved map carries it. Returns the sentence naming each such line and value
// and why, for the user; empty when every value can stand. Throws KvrError as
// TextFile does when the file cannot be read.
QString Read_Checked_Contact_File();

} // namespace TuneMap
