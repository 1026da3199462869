#pragma once
// Windows-1252 is the code page of the school database's extraction. Cells and
// label texts stay raw 8-bit bytes; they are decoded only to be drawn, measured
// or compared.

#include <QString>
#include <string_view>

// Decodes Windows-1252 bytes. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value.
QString DecodeCp1252(std::string_view octets);
QChar DecodeCp1252(unsigned char octet);
