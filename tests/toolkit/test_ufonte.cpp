#include "Ucouleurs.h"
#include "Ufonte.h"
#include "Upolice.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

Fonte Exemple()
{
    Fonte f;
    f.EcritNom("Times New Roman");
    f.Taille = -14;
    f.Couleur = Couleurs::clBtnFace;
    f.Pitch = 2;
    f.CharSet = 238;
    f.Gras = 1;
    f.Barre = 1;
    return f;
}

// The text form is read from a heap copy of exactly its length, so that
// AddressSanitizer catches any read past its end.
Fonte Lire(const std::string& texte, Fonte depart = Fonte())
{
    const auto copie = std::make_unique<char[]>(texte.size());
    std::copy(texte.begin(), texte.end(), copie.get());
    depart.FromString(std::string_view(copie.get(), texte.size()));
    return depart;
}

TEST(Ufonte, ValeursParDefaut)
{
    const Fonte f;
    EXPECT_EQ(f.LitNom(), "Arial");
    EXPECT_EQ(f.Taille, 10);
    EXPECT_EQ(f.Couleur, 0u);
    EXPECT_EQ(f.Pitch, 0);
    EXPECT_EQ(f.CharSet, 1);
    EXPECT_EQ(f.Gras + f.Italique + f.Souligne + f.Barre, 0);
    EXPECT_EQ(f.ToString(), "Arial,10,0,0000,0,1");
}

TEST(Ufonte, AllerEtRetourDeLaFormeTexte)
{
    const Fonte f = Exemple();
    EXPECT_EQ(f.ToString(), "Times New Roman,-14,-2147483633,1001,2,238");
    EXPECT_EQ(Lire(f.ToString()), f);

    Fonte extremes;
    extremes.EcritNom(std::string(32, 'W'));
    extremes.Taille = -32768;
    extremes.Couleur = 0x80000000u;
    extremes.Pitch = 9;
    extremes.CharSet = 255;
    extremes.Gras = extremes.Italique = extremes.Souligne = extremes.Barre = 1;
    const std::string texte = extremes.ToString();
    EXPECT_EQ(texte, std::string(32, 'W') + ",-32768,-2147483648,1111,9,255");
    EXPECT_EQ(Lire(texte), extremes);

    for (uint32_t couleur : {Couleurs::clWindowFrame, Couleurs::clInfoBk, 0xFFFFFFFFu, 10840372u})
    {
        Fonte c;
        c.Couleur = couleur;
        EXPECT_EQ(Lire(c.ToString()).Couleur, couleur);
    }
}

TEST(Ufonte, ChampDeStyleLuParPosition)
{
    struct Cas { const char* style; int gras, italique, souligne, barre; };
    const Cas cas[] = {
        {"1010", 1, 0, 1, 0},
        {"1x1y", 1, 0, 1, 0},
        {"0101", 0, 1, 0, 1},
        {"2111", 0, 1, 1, 1},
        {"11", 1, 1, 0, 0},     // short field: missing positions are 0
        {"", 0, 0, 0, 0},
        {"111111", 1, 1, 1, 1},
    };
    for (const Cas& c : cas) {
        Fonte depart;
        depart.Gras = depart.Italique = depart.Souligne = depart.Barre = 1;
        const Fonte f = Lire(std::string("Arial,10,0,") + c.style + ",0,1", depart);
        EXPECT_EQ(f.Gras, c.gras) << c.style;
        EXPECT_EQ(f.Italique, c.italique) << c.style;
        EXPECT_EQ(f.Souligne, c.souligne) << c.style;
        EXPECT_EQ(f.Barre, c.barre) << c.style;
    }
}

TEST(Ufonte, LectureDesNombres)
{
    struct Cas { const char* taille; int16_t attendu; };
    const Cas cas[] = {
        {" 12", 12}, {"+12", 12}, {"12pt", 12}, {"\t-7x9", -7}, {"pt12", 0},
        {"", 0},     {"-", 0},    {"+ 3", 0},   {"65548", 12},  // kept to 16 bits
        {"99999999999999999999", -1},  // wraps in 32 bits, then 16
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Lire(std::string("Arial,") + c.taille + ",0,0000,0,1").Taille, c.attendu)
            << c.taille;

    EXPECT_EQ(Lire("Arial,10,0,0000,0,257").CharSet, 1);  // kept to 8 bits
    EXPECT_EQ(Lire("Arial,10,0,0000,0,-1").CharSet, 255);
    EXPECT_EQ(Lire("Arial,10,4294967295,0000,0,1").Couleur, 0xFFFFFFFFu);
    EXPECT_EQ(Lire("Arial,10,-1,0000,0,1").Couleur, 0xFFFFFFFFu);
}

TEST(Ufonte, PitchEstUnSeulChiffre)
{
    EXPECT_EQ(Lire("Arial,10,0,0000,1,1").Pitch, 1);
    EXPECT_EQ(Lire("Arial,10,0,0000,25,1").Pitch, 2);
    EXPECT_EQ(Lire("Arial,10,0,0000,-1,1").Pitch, '-' - '0');
    Fonte depart;
    depart.Pitch = 2;
    EXPECT_EQ(Lire("Arial,10,0,0000,,1", depart).Pitch, 0);
}

TEST(Ufonte, LaVirguleTermineLeNom)
{
    const Fonte f = Lire("Foo, Bar,12,0,0000,0,1");
    EXPECT_EQ(f.LitNom(), "Foo");
    EXPECT_EQ(f.Taille, 0);  // " Bar" holds no number
    EXPECT_EQ(f.Couleur, 12u);
}

TEST(Ufonte, UnTexteCourtGardeLesChampsManquants)
{
    const Fonte depart = Exemple();
    struct Cas { const char* texte; Fonte attendu; };
    auto avec = [&](auto modifier) {
        Fonte f = depart;
        modifier(f);
        return f;
    };
    const Cas cas[] = {
        {"", depart},
        {"Arial", avec([](Fonte& f) { f.EcritNom("Arial"); })},
        {"Arial,12", avec([](Fonte& f) { f.EcritNom("Arial"); f.Taille = 12; })},
        {"Arial,12,", avec([](Fonte& f) { f.EcritNom("Arial"); f.Taille = 12; f.Couleur = 0; })},
        {"Arial,12,255,10", avec([](Fonte& f) {
             f.EcritNom("Arial");
             f.Taille = 12;
             f.Couleur = 255;
             f.Gras = 1;
             f.Italique = f.Souligne = f.Barre = 0;
         })},
        {"Arial,12,255,0110,1", avec([](Fonte& f) {
             f.EcritNom("Arial");
             f.Taille = 12;
             f.Couleur = 255;
             f.Gras = f.Barre = 0;
             f.Italique = f.Souligne = 1;
             f.Pitch = 1;
         })},
        {",", avec([](Fonte& f) { f.EcritNom(""); f.Taille = 0; })},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Lire(c.texte, depart), c.attendu) << c.texte;
}

TEST(Ufonte, UnLongNomEstCoupe)
{
    const std::string long40(40, 'N');
    const Fonte f = Lire(long40 + ",11,0,0000,0,1");
    EXPECT_EQ(f.LitNom(), std::string(32, 'N'));
    EXPECT_EQ(f.Taille, 11);
    EXPECT_EQ(f.Nom[32], '\0');

    // A multi-byte character is never split.
    Fonte g;
    g.EcritNom(std::string(31, 'a') + "\xC3\xA9" + "b");
    EXPECT_EQ(g.LitNom(), std::string(31, 'a'));
    g.EcritNom(std::string(30, 'a') + "\xC3\xA9" + "b");
    EXPECT_EQ(g.LitNom(), std::string(30, 'a') + "\xC3\xA9");
}

TEST(Ufonte, CopieEtRestaure)
{
    Police p;
    p.Name = QStringLiteral("Courier New");
    p.Size = 12;
    p.Height = -50;
    p.Color = Couleurs::clNavy;
    p.Bold = true;
    p.Italic = false;
    p.Underline = true;
    p.StrikeOut = false;
    p.Pitch = 2;
    p.CharSet = 0;

    const Fonte f(p);
    EXPECT_EQ(f.LitNom(), "Courier New");
    EXPECT_EQ(f.Taille, 12);
    EXPECT_EQ(f.Couleur, Couleurs::clNavy);
    EXPECT_EQ(f.Gras, 1);
    EXPECT_EQ(f.Italique, 0);
    EXPECT_EQ(f.Souligne, 1);
    EXPECT_EQ(f.Barre, 0);
    EXPECT_EQ(f.Pitch, 2);
    EXPECT_EQ(f.CharSet, 0);

    Police q;
    q.Italic = true;
    q.StrikeOut = true;
    q.Height = -80;
    f.Restaure(q);
    p.Height = 0;  // the size in points applies after a restore
    EXPECT_EQ(q, p);
    EXPECT_EQ(q.Height, 0);

    Police vide;
    vide.Name.clear();
    EXPECT_EQ(Fonte(vide).LitNom(), "");

    Police accent;
    accent.Name = QStringLiteral("Garamond \u00C9dition");
    Police retour;
    Fonte(accent).Restaure(retour);
    EXPECT_EQ(retour.Name, accent.Name);
}

} // namespace
