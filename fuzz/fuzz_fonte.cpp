// The font's one-line form: any text reads without harm, and what a font
// writes reads back as the same font and the same text. The pitch is read as
// one digit, so a pitch outside 0 to 9 (read from a character that is not a
// digit) cannot come back whole: it settles after one more trip.

#include "Ufonte.h"
#include "Verifie.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    Fonte fonte;
    fonte.FromString(texte);
    VERIFIE(fonte.Nom[Fonte::LongueurNomMax] == '\0');
    const std::string forme = fonte.ToString();

    Fonte relue;
    relue.FromString(forme);
    if (fonte.Pitch >= 0 && fonte.Pitch <= 9) {
        VERIFIE(relue == fonte);
        VERIFIE(relue.ToString() == forme);
    }
    Fonte stable;
    stable.FromString(relue.ToString());
    VERIFIE(stable == relue);
    VERIFIE(stable.ToString() == relue.ToString());

    // Read over a font that differs in every field: nothing of it remains.
    Fonte autre;
    autre.FromString("Courier,99,12345,1111,2,0");
    autre.FromString(forme);
    VERIFIE(autre == relue);
    return 0;
}
