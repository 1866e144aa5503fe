// Register addresses and values typed as hexadecimal text.
#ifndef VQTHEXTEXT_H
#define VQTHEXTEXT_H

#include <QString>
#include <cstdint>

// Every character at position i of a text of length L adds its digit times 16^(L - 1 - i);
// characters that are not hexadecimal digits add nothing but keep their place, so "0x1A" is
// 0x1A. An empty text is 0. Exact for up to 16 digits (longer texts wrap).
uint64_t HexCharToLonglong(const QString& text);
uint64_t Hex16CharToLonglong(const QString& text);

#endif // VQTHEXTEXT_H
