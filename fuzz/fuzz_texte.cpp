// The text writer on the recording canvas with any text, rectangle, margins,
// alignment, line offsets and character widths: it ends (libFuzzer's time
// limit per input), leaves the canvas as it found it, and for short texts
// draws exactly the lines that the plain form of its rules gives (every
// beginning of a word measured, one character at a time).
//
// Input: 1 byte of options, the rectangle (4 × int32), the margins (4 × int8),
// first-baseline offset, line spacing and vertical shift (3 × int16), four
// (byte, width) pairs for the canvas, then the text.

#include "Arith32.h"
#include "CanevasEnregistreur.h"
#include "Utexte.h"
#include "Verifie.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Arith32::Moins;
using Arith32::Plus;

constexpr int kCellule = 35;

struct Ligne {
    std::string octets;
    int y;
    bool operator==(const Ligne& autre) const { return octets == autre.octets && y == autre.y; }
};

struct Lecteur {
    const uint8_t* donnees;
    size_t reste;
    template <typename T>
    T Lire()
    {
        T valeur{};
        if (reste >= sizeof(T)) {
            std::memcpy(&valeur, donnees, sizeof(T));
            donnees += sizeof(T);
            reste -= sizeof(T);
        }
        return valeur;
    }
};

// The rules as they read, measuring every beginning: slow, plainly right.
class Reference {
public:
    Reference(CanevasEnregistreur& canevas, const std::string& texte) : c(canevas), t(texte) {}

    std::vector<Ligne> Ecrire(const qlRect& zone, int premiere, int interligne, int decalage)
    {
        std::vector<Ligne> lignes;
        if (!(zone.left < zone.right && zone.top < zone.bottom))
            return lignes;
        premiere = premiere == 0 ? kCellule : premiere;
        interligne = interligne == 0 ? kCellule : interligne;
        int b = Plus(zone.top, premiere);
        std::size_t p = 0;
        while (car(p) != 0 && Moins(b, premiere) < zone.bottom) {
            // At the drawing scale of 100 %, which wraps like every coordinate.
            const int y = Arith32::Divise(Arith32::Fois(Plus(b, decalage), 100), 100);
            UneLigne(p, Moins(zone.right, zone.left), y, lignes);
            b = Plus(b, interligne);
        }
        return lignes;
    }

private:
    unsigned char car(std::size_t i) const
    {
        return i < t.size() ? static_cast<unsigned char>(t[i]) : 0;
    }
    static bool Blanc(unsigned char x) { return x == ' ' || x == '\t'; }
    static bool Fin(unsigned char x) { return x == 0 || x == '\r'; }
    int64_t Mesure(std::size_t a, std::size_t b) { return c.EtendueTexte(t.data() + a, int(b - a)); }

    void UneLigne(std::size_t& p, int w, int y, std::vector<Ligne>& lignes)
    {
        const std::size_t s = p;
        bool fin = true;
        auto dessine = [&](std::size_t jusqua) { lignes.push_back({t.substr(s, jusqua - s), y}); };
        while (!Fin(car(p))) {
            const std::size_t precedent = p;
            while (Blanc(car(p)))
                ++p;
            if (p > s) {
                if (Mesure(s, p) >= w) {
                    while (p > precedent && Blanc(car(p - 1)) && Mesure(s, p) >= w)
                        --p;
                    if (p > s) {
                        dessine(p);
                        if (car(p) == ' ')
                            ++p;
                    } else {
                        ++p;
                        fin = false;
                    }
                    break;
                }
                if (Fin(car(p))) {
                    dessine(p);
                    break;
                }
            }
            const std::size_t q = p;
            while (!Fin(car(p)) && !Blanc(car(p)))
                ++p;
            if (p == q)
                continue;
            if (Mesure(s, p) < w) {
                if (Fin(car(p))) {
                    dessine(p);
                    break;
                }
                continue;
            }
            if (q > s) {
                p = q;
                dessine(q);
                break;
            }
            while (p > s && Mesure(s, p) >= w)
                --p;
            if (p == s) {
                ++p;
                fin = false;
            } else {
                dessine(p);
            }
            break;
        }
        if (fin && car(p) == '\r')
            ++p;
        if (car(p) == '\n')
            ++p;
    }

    CanevasEnregistreur& c;
    const std::string& t;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    Lecteur l{donnees, taille};
    const uint8_t options = l.Lire<uint8_t>();
    qlRect rectangle;
    rectangle.left = l.Lire<int32_t>();
    rectangle.top = l.Lire<int32_t>();
    rectangle.right = l.Lire<int32_t>();
    rectangle.bottom = l.Lire<int32_t>();
    qlRect marges;
    marges.left = l.Lire<int8_t>();
    marges.top = l.Lire<int8_t>();
    marges.right = l.Lire<int8_t>();
    marges.bottom = l.Lire<int8_t>();
    const int premiere = l.Lire<int16_t>();
    const int interligne = l.Lire<int16_t>();
    const int decalage = l.Lire<int16_t>();
    CanevasEnregistreur canevas(10, kCellule);
    CanevasEnregistreur mesures(10, kCellule);
    for (int i = 0; i < 4; ++i) {
        const uint8_t octet = l.Lire<uint8_t>();
        const int largeur = l.Lire<uint8_t>() % 41;
        canevas.FixeLargeur(octet, largeur);
        mesures.FixeLargeur(octet, largeur);
    }
    const std::string texte(reinterpret_cast<const char*>(l.donnees), l.reste);

    const auto alignement = static_cast<qlTexte::Alignement>(options % 3);
    const bool cursive = (options & 4) != 0;
    Police police;
    police.Name = cursive && (options & 8) ? QStringLiteral("Sorvang") : QStringLiteral("Arial");
    police.Size = 10;
    qlTexte redacteur;
    redacteur.Ecrire(canevas, police, 100, texte, rectangle, alignement, premiere, interligne,
                     decalage, cursive, marges);
    VERIFIE(canevas.Profondeur() == 0);
    VERIFIE(!canevas.EtatCourant().clip.has_value());
    VERIFIE(!canevas.EtatCourant().ligneDeBase);

    if (!cursive && texte.size() <= 64) {
        const qlRect zone(Plus(rectangle.left, marges.left), Plus(rectangle.top, marges.top),
                          Moins(rectangle.right, marges.right),
                          Moins(rectangle.bottom, marges.bottom));
        std::vector<Ligne> dessinees;
        for (const auto& a : canevas.Textes())
            dessinees.push_back({a.octets, a.y});
        VERIFIE(dessinees == Reference(mesures, texte).Ecrire(zone, premiere, interligne, decalage));
    }
    return 0;
}
