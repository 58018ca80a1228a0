#pragma once

#include <cstdint>

// Rounding as the displays and the sampler expect it. Results are 64-bit so that large counter values
// survive; values beyond that range saturate and NaN gives 0, so no caller meets undefined behaviour.

// Half to even (banker's rounding): 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2.
int64_t Round(double value);
// Drops the fraction: 2.9 -> 2, -2.9 -> -2.
int64_t Trunc(double value);
// a * b / c with a 64-bit intermediate, rounded to nearest with halves away from zero. c == 0, or a
// result that does not fit an int, gives -1.
int MulDiv(int a, int b, int c);
