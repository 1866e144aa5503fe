#include "tools/VQtHexText.h"

uint64_t HexCharToLonglong(const QString& text) {
    uint64_t sum = 0;
    for (QChar c : text) {
        int digit = 0;
        const ushort u = c.unicode();
        if (u >= '0' && u <= '9')
            digit = u - '0';
        else if (u >= 'a' && u <= 'f')
            digit = u - 'a' + 10;
        else if (u >= 'A' && u <= 'F')
            digit = u - 'A' + 10;
        sum = sum * 16 + uint64_t(digit);
    }
    return sum;
}

uint64_t Hex16CharToLonglong(const QString& text) {
    return HexCharToLonglong(text);
}
