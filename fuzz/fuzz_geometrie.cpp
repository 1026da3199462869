// The "%d;%d" text forms of points and sizes: any text reads without harm,
// what is written reads back, and any pair of numbers survives the trip.

#include "Uclasses.h"
#include "Verifie.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    qlPoint point;
    point.FromString(texte);
    qlPoint pointRelu;
    pointRelu.FromString(point.ToString());
    VERIFIE(pointRelu.x == point.x && pointRelu.y == point.y);

    qlSize taille2;
    taille2.FromString(texte);
    qlSize tailleRelue;
    tailleRelue.FromString(taille2.ToString());
    VERIFIE(tailleRelue.cx == taille2.cx && tailleRelue.cy == taille2.cy);

    if (taille >= 8) {
        int32_t x = 0;
        int32_t y = 0;
        std::memcpy(&x, donnees, 4);
        std::memcpy(&y, donnees + 4, 4);
        qlPoint p(x, y);
        qlPoint q;
        q.FromString(p.ToString());
        VERIFIE(q.x == x && q.y == y);
    }
    return 0;
}
