#include "Utf8.h"

bool Utf8Suivant(std::string_view octets, std::size_t& position, char32_t& point)
{
    const auto octet = [&](std::size_t i) { return static_cast<unsigned char>(octets[i]); };
    const unsigned char premier = octet(position);
    if (premier < 0x80) {
        point = premier;
        ++position;
        return true;
    }
    std::size_t suite = 0;
    char32_t valeur = 0;
    char32_t minimum = 0;
    if (premier >= 0xC2 && premier <= 0xDF) {
        suite = 1;
        valeur = premier & 0x1F;
        minimum = 0x80;
    } else if (premier >= 0xE0 && premier <= 0xEF) {
        suite = 2;
        valeur = premier & 0x0F;
        minimum = 0x800;
    } else if (premier >= 0xF0 && premier <= 0xF4) {
        suite = 3;
        valeur = premier & 0x07;
        minimum = 0x10000;
    } else {
        return false;
    }
    if (octets.size() - position <= suite)
        return false;
    for (std::size_t i = 1; i <= suite; ++i) {
        const unsigned char c = octet(position + i);
        if ((c & 0xC0) != 0x80)
            return false;
        valeur = (valeur << 6) | (c & 0x3F);
    }
    if (valeur < minimum || valeur > 0x10FFFF || (valeur >= 0xD800 && valeur <= 0xDFFF))
        return false;
    point = valeur;
    position += suite + 1;
    return true;
}
