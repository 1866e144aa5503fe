#pragma once

// Iterative radix-2 transform used for the spectrum of one image column.

#include <complex>

// Smallest power of two >= count (1 for count <= 1).
int NumTo2Power(int count);
// log2 of a power of two.
int Log2(int n);
// index with its lowest `bits` bits in reverse order.
int Reverse(int index, int bits);
// Puts data[0..n) in bit-reversed order (n a power of two).
void Ordina(std::complex<double>* data, int n);
// Forward transform in place (twiddles from -2*pi/n), every result multiplied by scale.
// n must be a power of two; other sizes are left untouched.
void FFT(std::complex<double>* data, int n, double scale);
