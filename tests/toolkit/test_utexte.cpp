// The text writer on a recording canvas: every character is 10 units wide,
// the cell 35 units high, so line breaks and baselines are exact numbers.

#include "CanevasEnregistreur.h"
#include "Utexte.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using Alignement = qlTexte::Alignement;
using Genre = CanevasEnregistreur::Genre;
using namespace std::string_literals;

constexpr int kCellule = 35;

Police Arial10()
{
    Police p;
    p.Name = QStringLiteral("Arial");
    p.Size = 10;
    return p;
}

struct Ligne {
    std::string octets;
    int x;
    int y;
};

bool operator==(const Ligne& a, const Ligne& b)
{
    return a.octets == b.octets && a.x == b.x && a.y == b.y;
}

void PrintTo(const Ligne& l, std::ostream* os)
{
    *os << "{\"" << l.octets << "\", " << l.x << ", " << l.y << "}";
}

std::vector<Ligne> Lignes(const CanevasEnregistreur& canevas)
{
    std::vector<Ligne> lignes;
    for (const auto& a : canevas.Textes())
        lignes.push_back({a.octets, a.x, a.y});
    return lignes;
}

struct Ecriture {
    CanevasEnregistreur canevas{10, kCellule};
    int resultat = 0;

    Ecriture(const std::string& texte, const qlRect& rectangle,
             Alignement alignement = Alignement::Gauche, bool cursive = false,
             const Police& police = Arial10(), const qlRect& marges = {},
             int premiereLigne = 0, int interligne = 0, int decalage = 0)
    {
        qlTexte ecrivain;
        resultat = ecrivain.Ecrire(canevas, police, 100, texte, rectangle, alignement,
                                   premiereLigne, interligne, decalage, cursive, marges);
    }
};

// ---------------------------------------------------------------------------
// Line breaking, one table: text, area width, lines drawn (left-aligned at
// x = 0, top 0, so the y of each line is its baseline).

struct CasCoupure {
    const char* nom;
    std::string texte;
    int largeur;
    std::vector<Ligne> attendu;
};

void PrintTo(const CasCoupure& cas, std::ostream* os)
{
    *os << cas.nom;
}

class Coupure : public ::testing::TestWithParam<CasCoupure> {};

TEST_P(Coupure, LignesEtLignesDeBase)
{
    const CasCoupure& cas = GetParam();
    Ecriture e(cas.texte, qlRect(0, 0, cas.largeur, 1000));
    EXPECT_EQ(Lignes(e.canevas), cas.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Utexte, Coupure,
    ::testing::Values(
        CasCoupure{"CrLf", "A\r\nB", 1000, {{"A", 0, 35}, {"B", 0, 70}}},
        CasCoupure{"CrSeul", "A\rB", 1000, {{"A", 0, 35}, {"B", 0, 70}}},
        // The second CR makes an empty line: B is on the third.
        CasCoupure{"CrCr", "A\r\rB", 1000, {{"A", 0, 35}, {"B", 0, 105}}},
        // A lone LF belongs to its word.
        CasCoupure{"LfSeul", "AB\nCD EF", 1000, {{"AB\nCD EF", 0, 35}}},
        // After CR LF, a second LF starts the next word.
        CasCoupure{"CrLfLf", "A\r\n\nB", 1000, {{"A", 0, 35}, {"\nB", 0, 70}}},
        // The line breaks before the word that does not fit and keeps the
        // blank before it.
        CasCoupure{"AvantLeMot", "AAA BBB CCC", 100, {{"AAA BBB ", 0, 35}, {"CCC", 0, 70}}},
        // Blanks before a line end are drawn.
        CasCoupure{"BlancsAvantCr", "AAA  \r\nB", 100, {{"AAA  ", 0, 35}, {"B", 0, 70}}},
        // A word exactly as wide as the area does not fit: cut.
        CasCoupure{"MotTropLarge", "ABCDEFGHIJ", 55, {{"ABCDE", 0, 35}, {"FGHIJ", 0, 70}}},
        CasCoupure{"MotPileLaLargeur", "ABCDE", 50, {{"ABCD", 0, 35}, {"E", 0, 70}}},
        // Blanks after a word that overflow are given back until the line
        // fits; one following space is stepped over.
        CasCoupure{"BlancsRendus", "AAA   BBB", 55, {{"AAA  ", 0, 35}, {"BBB", 0, 70}}},
        CasCoupure{"BlancsEnTete", "      X", 45, {{"    ", 0, 35}, {" X", 0, 70}}},
        // A tab is not stepped over like a space: alone it does not fit and is
        // dropped, which takes a line.
        CasCoupure{"TabulationRendue", "AAA\tB", 75, {{"AAA", 0, 35}, {"B", 0, 105}}},
        CasCoupure{"TabulationDansLaLigne", "AAA\tB", 100, {{"AAA\tB", 0, 35}}},
        CasCoupure{"TabulationAvantLeMot", "AAA\tB", 85, {{"AAA\t", 0, 35}, {"B", 0, 70}}},
        // Nothing fits, not even one character: each is dropped in turn.
        CasCoupure{"RienNeTient", "  X", 5, {}},
        // A NUL byte ends the text.
        CasCoupure{"NulFinal", "AB\0CD"s, 1000, {{"AB", 0, 35}}},
        CasCoupure{"Vide", "", 1000, {}}),
    [](const ::testing::TestParamInfo<CasCoupure>& info) { return info.param.nom; });

TEST(Utexte, CaractereTropLargeAbandonneEtCrNonPris)
{
    CanevasEnregistreur canevas(10, kCellule);
    canevas.FixeLargeur('W', 200);
    qlTexte ecrivain;
    ecrivain.Ecrire(canevas, Arial10(), 100, "W\r\nA", qlRect(0, 0, 100, 1000),
                    Alignement::Gauche, 0, 0, 0, false, {});
    // W is dropped; the CR behind it is not taken, so it makes an empty line.
    EXPECT_EQ(Lignes(canevas), (std::vector<Ligne>{{"A", 0, 105}}));
}

TEST(Utexte, CaractereTropLargeDansUnMot)
{
    CanevasEnregistreur canevas(10, kCellule);
    canevas.FixeLargeur('W', 200);
    qlTexte ecrivain;
    ecrivain.Ecrire(canevas, Arial10(), 100, "AWB", qlRect(0, 0, 100, 1000), Alignement::Gauche,
                    0, 0, 0, false, {});
    EXPECT_EQ(Lignes(canevas), (std::vector<Ligne>{{"A", 0, 35}, {"B", 0, 105}}));
}

// ---------------------------------------------------------------------------
// Height of the area, clip, result.

TEST(Utexte, TroisLignesDansCentUnitesEtClip)
{
    Ecriture e("L1\r\nL2\r\nL3\r\nL4", qlRect(20, 10, 520, 110));
    // The third line's top (10 + 70) is inside; the fourth's (10 + 105) is not.
    EXPECT_EQ(Lignes(e.canevas),
              (std::vector<Ligne>{{"L1", 20, 45}, {"L2", 20, 80}, {"L3", 20, 115}}));
    const auto clips = e.canevas.Appels(Genre::Clip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rectangle.left, 20);
    EXPECT_EQ(clips[0].rectangle.top, 10);
    EXPECT_EQ(clips[0].rectangle.right, 521);  // one unit further
    EXPECT_EQ(clips[0].rectangle.bottom, 110);
    EXPECT_EQ(e.resultat, 140);
}

TEST(Utexte, ResultatEtLignesDeBaseParametrees)
{
    Ecriture deux("A\r\nB", qlRect(0, 0, 1000, 1000));
    EXPECT_EQ(deux.resultat, 105);

    // Text ended before the first line: the first baseline is returned.
    Ecriture vide("", qlRect(0, 0, 1000, 1000));
    EXPECT_EQ(vide.resultat, 35);

    // First baseline 50 below the top, lines 40 apart, moved down 7 when
    // drawn; a line starts while baseline − 50 < bottom.
    Ecriture e("A\rB\rC\rD", qlRect(0, 100, 1000, 190), Alignement::Gauche, false, Arial10(), {},
               50, 40, 7);
    EXPECT_EQ(Lignes(e.canevas),
              (std::vector<Ligne>{{"A", 0, 157}, {"B", 0, 197}, {"C", 0, 237}}));
    EXPECT_EQ(e.resultat, 170);
}

TEST(Utexte, MargesReduisentLaZoneMaisPasLeClip)
{
    Ecriture e("AAAA BBBB", qlRect(0, 0, 200, 200), Alignement::Gauche, false, Arial10(),
               qlRect(10, 20, 100, 40));
    // Area (10, 20, 100, 160): 90 wide.
    EXPECT_EQ(Lignes(e.canevas), (std::vector<Ligne>{{"AAAA ", 10, 55}, {"BBBB", 10, 90}}));
    const auto clips = e.canevas.Appels(Genre::Clip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rectangle.right, 201);
    EXPECT_EQ(clips[0].rectangle.bottom, 200);
}

TEST(Utexte, ZoneVideNEcritRienEtRestaure)
{
    struct Cas {
        qlRect rectangle;
        qlRect marges;
    };
    const Cas cas[] = {
        {qlRect(100, 0, 100, 100), {}},                 // no width
        {qlRect(0, 50, 100, 50), {}},                   // no height
        {qlRect(0, 0, 100, 100), qlRect(50, 0, 50, 0)},  // margins eat it
        {qlRect(100, 100, 0, 0), {}},                   // inverted
    };
    for (const Cas& c : cas) {
        Ecriture e("Texte", c.rectangle, Alignement::Gauche, false, Arial10(), c.marges);
        EXPECT_TRUE(e.canevas.Textes().empty());
        EXPECT_EQ(e.resultat, 0);
        EXPECT_EQ(e.canevas.Profondeur(), 0);
        EXPECT_FALSE(e.canevas.EtatCourant().clip.has_value());
    }
}

TEST(Utexte, EtatDuCanevasRestaure)
{
    CanevasEnregistreur canevas(10, kCellule);
    Police appelant;
    appelant.Name = QStringLiteral("Courier New");
    appelant.Height = -12;
    canevas.ChoisitPolice(appelant);
    canevas.AlignementLigneDeBase(false);
    canevas.EffaceAppels();

    qlTexte ecrivain;
    ecrivain.Ecrire(canevas, Arial10(), 100, "Un texte\r\nsur deux lignes", qlRect(0, 0, 500, 500),
                    Alignement::Centre, 0, 0, 0, false, {});

    EXPECT_EQ(canevas.Profondeur(), 0);
    EXPECT_EQ(canevas.PoliceCourante(), appelant);
    EXPECT_FALSE(canevas.EtatCourant().ligneDeBase);
    EXPECT_FALSE(canevas.EtatCourant().clip.has_value());

    const auto& appels = canevas.Appels();
    ASSERT_GE(appels.size(), 4u);
    EXPECT_EQ(appels.front().genre, Genre::SauveEtat);
    EXPECT_EQ(appels[appels.size() - 3].genre, Genre::Alignement);
    EXPECT_FALSE(appels[appels.size() - 3].ligneDeBase);
    EXPECT_EQ(appels[appels.size() - 2].genre, Genre::RestaureEtat);
    EXPECT_EQ(appels.back().genre, Genre::Police);
    EXPECT_EQ(appels.back().police, appelant);

    // Text is drawn on its baseline, in the font sized for tenths of a mm.
    for (const auto& t : canevas.Textes()) {
        EXPECT_TRUE(t.ligneDeBase);
        EXPECT_EQ(t.police.Height, -35);
        EXPECT_EQ(t.police.Name, QStringLiteral("Arial"));
    }
}

// ---------------------------------------------------------------------------
// Fonts.

TEST(Utexte, HauteursDesPolices)
{
    CanevasEnregistreur canevas;
    qlTexte ecrivain;
    Police p = Arial10();
    p.Bold = true;
    p.Color = 0x0000FF;
    ecrivain.Init(canevas, p, 100);
    EXPECT_EQ(ecrivain.FontePrincipale.Height, -35);
    EXPECT_EQ(ecrivain.FonteZoom.Height, -35);
    EXPECT_EQ(ecrivain.FonteFin.Height, -35);
    EXPECT_TRUE(ecrivain.FonteZoom.Bold);
    EXPECT_EQ(ecrivain.FonteFin.Color, 0x0000FFu);
    EXPECT_TRUE(ecrivain.Actif);
    EXPECT_EQ(ecrivain.Canvas, &canevas);

    p.Size = 12;
    ecrivain.Init(canevas, p, 150);
    EXPECT_EQ(ecrivain.FontePrincipale.Height, -42);  // 42.33 truncated
    EXPECT_EQ(ecrivain.FonteZoom.Height, -63);        // 63.5 truncated
    EXPECT_EQ(ecrivain.Zoom, 150);
}

TEST(Utexte, LeZoomDEcrireEstIgnore)
{
    CanevasEnregistreur a(10, kCellule);
    CanevasEnregistreur b(10, kCellule);
    qlTexte ecrivain;
    ecrivain.Ecrire(a, Arial10(), 100, "AAA BBB", qlRect(10, 10, 70, 200), Alignement::Gauche, 0,
                    0, 0, false, {});
    ecrivain.Ecrire(b, Arial10(), 250, "AAA BBB", qlRect(10, 10, 70, 200), Alignement::Gauche, 0,
                    0, 0, false, {});
    EXPECT_EQ(Lignes(a), Lignes(b));
    EXPECT_EQ(ecrivain.Zoom, 100);
}

TEST(Utexte, InactifMetEnPageSansDessiner)
{
    CanevasEnregistreur canevas(10, kCellule);
    qlTexte ecrivain;
    ecrivain.Init(canevas, Arial10(), 100);
    ecrivain.Actif = false;
    canevas.ChoisitPolice(ecrivain.FontePrincipale);
    std::size_t position = 0;
    const std::string texte = "AAA BBB";
    ecrivain.EcrireLigne(texte, position, qlRect(0, 0, 50, 100), 35, Alignement::Gauche, false,
                         100, 0);
    EXPECT_EQ(position, 4u);
    EXPECT_TRUE(canevas.Textes().empty());
}

// ---------------------------------------------------------------------------
// Alignment.

TEST(Utexte, AlignementADroiteCompteLesBlancsFinaux)
{
    Ecriture e("AAA BBB CCC", qlRect(0, 0, 100, 1000), Alignement::Droite);
    // "AAA BBB " is 80 wide: its visible text ends 10 left of the edge.
    EXPECT_EQ(Lignes(e.canevas), (std::vector<Ligne>{{"AAA BBB ", 20, 35}, {"CCC", 70, 70}}));
}

TEST(Utexte, CentrageTronqueVersZero)
{
    Ecriture positif("AB", qlRect(0, 0, 105, 100), Alignement::Centre);
    EXPECT_EQ(Lignes(positif.canevas), (std::vector<Ligne>{{"AB", 42, 35}}));  // 42.5
    Ecriture negatif("AB", qlRect(-105, 0, 0, 100), Alignement::Centre);
    EXPECT_EQ(Lignes(negatif.canevas), (std::vector<Ligne>{{"AB", -62, 35}}));  // -62.5
}

TEST(Utexte, TabulationsDepuisLeDebutDeLaLigne)
{
    Ecriture e("A\tB", qlRect(30, 0, 500, 100), Alignement::Droite);
    const auto textes = e.canevas.Textes();
    ASSERT_EQ(textes.size(), 1u);
    // Measured from its start: 80 + 10 wide, drawn with tabs from x.
    EXPECT_EQ(textes[0].x, 410);
    EXPECT_EQ(textes[0].origineTab, 410);
}

// ---------------------------------------------------------------------------
// Cursive.

Police Cursive(const char* famille)
{
    Police p = Arial10();
    p.Name = QString::fromLatin1(famille);
    return p;
}

TEST(Utexte, CursiveDerniereLettreEnFonteFin)
{
    // "é" is a letter of the code page.
    Ecriture e("l\xE9 chat, vu", qlRect(0, 0, 1000, 100), Alignement::Gauche, true,
               Cursive("Sorvang"));
    struct Attendu {
        std::string octets;
        int x;
        const char* famille;
    };
    const std::vector<Attendu> attendu = {
        {"l", 0, "Sorvang"},    {"\xE9", 10, "SorvangDetache"},
        {" cha", 20, "Sorvang"}, {"t", 60, "SorvangDetache"},
        {", v", 70, "Sorvang"},  {"u", 100, "SorvangDetache"},
    };
    const auto textes = e.canevas.Textes();
    ASSERT_EQ(textes.size(), attendu.size());
    for (std::size_t i = 0; i < attendu.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(textes[i].octets, attendu[i].octets);
        EXPECT_EQ(textes[i].x, attendu[i].x);
        EXPECT_EQ(textes[i].y, 35);
        EXPECT_EQ(textes[i].origineTab, 0);
        EXPECT_EQ(textes[i].police.Name, QString::fromLatin1(attendu[i].famille));
        EXPECT_EQ(textes[i].police.Height, -35);
    }
}

TEST(Utexte, CursiveChaqueFamilleEtSonCompagnon)
{
    const char* familles[][2] = {{"Sorvind", "SorvindDetache"},
                                 {"Tuvelka", "TuvelkaDetache"},
                                 {"Tuvelmo", "TuvelmoDetache"}};
    for (const auto& f : familles) {
        Ecriture e("ab", qlRect(0, 0, 1000, 100), Alignement::Gauche, true, Cursive(f[0]));
        const auto textes = e.canevas.Textes();
        ASSERT_EQ(textes.size(), 2u);
        EXPECT_EQ(textes[1].police.Name, QString::fromLatin1(f[1]));
    }
}

TEST(Utexte, CursiveHorsTableCommeNonCursive)
{
    auto description = [](const CanevasEnregistreur& c) {
        std::vector<std::string> d;
        for (const auto& a : c.Appels()) {
            d.push_back(std::to_string(static_cast<int>(a.genre)) + "|" + a.octets + "|"
                        + std::to_string(a.x) + "|" + std::to_string(a.y) + "|"
                        + a.police.Name.toStdString());
        }
        return d;
    };
    const std::string texte = "Mme UNTEST Hildegarde\r\n12, rue des Tests";
    for (const char* famille : {"Arial", "sorvang", "SorvangDetache", ""}) {
        SCOPED_TRACE(famille);
        Ecriture avec(texte, qlRect(0, 0, 150, 500), Alignement::Gauche, true, Cursive(famille));
        Ecriture sans(texte, qlRect(0, 0, 150, 500), Alignement::Gauche, false, Cursive(famille));
        EXPECT_EQ(description(avec.canevas), description(sans.canevas));
    }
}

TEST(Utexte, CursiveAligneeADroite)
{
    Ecriture e("ab cd", qlRect(0, 0, 100, 100), Alignement::Droite, true, Cursive("Tuvelka"));
    const auto textes = e.canevas.Textes();
    ASSERT_EQ(textes.size(), 4u);
    EXPECT_EQ(textes[0].x, 50);
    EXPECT_EQ(textes[3].x, 90);
    for (const auto& t : textes)
        EXPECT_EQ(t.origineTab, 50);
}

}  // namespace

namespace {

// Rectangles read from a hand-edited settings file can be extreme: the
// writer's coordinates wrap in 32 bits instead of overflowing.
TEST(Utexte, RectanglesExtremesSansDebordement)
{
    const qlRect extremes[] = {
        {0, 0, INT32_MAX, 1000},
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
        {INT32_MAX - 10, 0, INT32_MAX, INT32_MAX},
    };
    for (const qlRect& r : extremes) {
        Ecriture e("Mme UNTEST Hildegarde\r\nligne", r, Alignement::Centre);
        EXPECT_EQ(e.canevas.Profondeur(), 0);
        Ecriture d("Mme UNTEST", r, Alignement::Droite, false, Arial10(), qlRect(-5, -5, -5, -5),
                   INT32_MAX, INT32_MAX, INT32_MAX);
        EXPECT_EQ(d.canevas.Profondeur(), 0);
    }
}

}  // namespace

namespace {

// ---------------------------------------------------------------------------
// Work bounded by what the lines hold. The recording canvas counts the bytes
// it measures: laying out a line reads about what the line can hold, however
// long the word or the run of blanks it comes from.

TEST(Utexte, LongueCelluleTravailBorneEtLargeursEntieres)
{
    struct Cas {
        const char* nom;
        std::string texte;
        qlRect rectangle;
        std::vector<Ligne> attendu;
        int64_t mesuresMax;
    };
    const std::string neuf(9, 'A');
    const std::vector<Cas> cas = {
        // A 20,000-letter word: three lines of nine letters fit the height.
        {"MotGeant", std::string(20000, 'A'), qlRect(0, 0, 100, 100),
         {{neuf, 0, 35}, {neuf, 0, 70}, {neuf, 0, 105}}, 3 * 1024},
        // Blanks that overflow are trimmed back to what fits, line after line.
        {"BlancsGeants", "A" + std::string(20000, ' ') + "B", qlRect(0, 0, 100, 100),
         {{"A" + std::string(8, ' '), 0, 35}, {std::string(9, ' '), 0, 70},
          {std::string(9, ' '), 0, 105}},
         3 * 1024},
        // 6,554 letters are 65,540 units wide, 4 in their low 16 bits: the
        // whole width is kept, so the word does not pass as fitting.
        {"LargeurSurPlusDe16Bits", std::string(6554, 'A'), qlRect(0, 0, 1000, 35),
         {{std::string(99, 'A'), 0, 35}}, 2048},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Ecriture e(c.texte, c.rectangle);
        EXPECT_EQ(Lignes(e.canevas), c.attendu);
        EXPECT_LE(e.canevas.OctetsMesures(), c.mesuresMax);
    }
}

// A text area narrower than one character: every line drops one letter of
// the word. Each line measures a few hundred bytes at most, not every
// beginning of the word.
TEST(Utexte, ZonePlusEtroiteQuUnCaractereEnTempsQuasiLineaire)
{
    const int n = 2000;
    Ecriture e(std::string(n, 'A'), qlRect(0, 0, 5, n * kCellule));
    EXPECT_TRUE(e.canevas.Textes().empty());
    EXPECT_EQ(e.resultat, (n + 1) * kCellule);  // one line per letter
    EXPECT_LE(e.canevas.OctetsMesures(), int64_t{n} * 600);
}

}  // namespace
