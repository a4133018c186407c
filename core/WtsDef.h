#pragma once

// Rebuild the inner break points of the map axes from the outer ones. They change
// the unit image only; the caller sends the rows.
namespace WtsDef {

// Deflection points 0..7 from the first and the last by the weights of AfrTable2
// (WtsAFR::Init_AFR_Tables fills them). A last point of 0 becomes 255 and a first
// point above 240 becomes 240 first.
void Fill_Deflect_Weighted();

// Deflection points 0..6 evenly between the first and the last, with the same
// guards; the last point stays.
void Fill_Deflect_Linear();

// RPM break points 1..14 evenly in RPM between points 0 and 15 (the ends kept in
// 200..19999 RPM for the spacing, never rewritten). Returns false and leaves the
// whole scale as it was when an end period is unusable (0, or high byte 128 or more)
// or a new period would fall outside 1..32767.
bool Rebuild_RPM_Scale();

} // namespace WtsDef
