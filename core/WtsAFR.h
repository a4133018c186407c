#pragma once

// The air-fuel-ratio table of the lambda-sensor input and the weights of the
// weighted deflection scale.
namespace WtsAFR {

// Fills AfrTable and AfrTable2; run once at start-up.
void Init_AFR_Tables();

// The ratio of lambda byte x (0..256): the nearest set entry at or below x. x is
// lowered to the index of that entry. An x outside 0..256 is refused with error 9.
float Lookup_AFR(int& x);

} // namespace WtsAFR
