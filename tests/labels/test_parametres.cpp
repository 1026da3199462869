#include "Parametres.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

Parametres Defauts(bool paysage = false)
{
    Parametres p;
    InitParametres(p);
    p.Orientation = paysage;
    return p;
}

std::vector<int32_t> Colonnes(const Parametres& p)
{
    std::vector<int32_t> v;
    for (int32_t c = 0; c < p.NbCols; ++c)
        v.push_back(PositionColonne(p, c));
    return v;
}

std::vector<int32_t> Lignes(const Parametres& p)
{
    std::vector<int32_t> v;
    for (int32_t r = 0; r < p.NbLignes; ++r)
        v.push_back(PositionLigne(p, r));
    return v;
}

void ExpectRect(const qlRect& r, int32_t l, int32_t t, int32_t rr, int32_t b)
{
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rr);
    EXPECT_EQ(r.bottom, b);
}

TEST(Parametres, LesDefautsDecriventUneFeuilleA4De24Etiquettes)
{
    Parametres p;
    p.PathFich = QStringLiteral("/tmp/liste.csv");
    p.Fonte.EcritNom("Courier");
    p.Fonte.CharSet = 0;
    InitParametres(p);
    EXPECT_EQ(p.PathFich, QStringLiteral("/tmp/liste.csv"));
    EXPECT_EQ(p.LargeurPage, 2100);
    EXPECT_EQ(p.HauteurPage, 2970);
    EXPECT_FALSE(p.Orientation);
    EXPECT_EQ(p.LargeurEtiq, 700);
    EXPECT_EQ(p.HauteurEtiq, 360);
    EXPECT_EQ(p.NbCols, 3);
    EXPECT_EQ(p.NbLignes, 8);
    EXPECT_EQ(p.MargeHaute, 40);
    EXPECT_EQ(p.MargeDroite, 0);
    EXPECT_EQ(p.MargeBasse, 50);
    EXPECT_EQ(p.MargeGauche, 0);
    EXPECT_TRUE(p.ImprimerAdresse && p.ImprimerEnfant && p.ImprimerClasse);
    EXPECT_FALSE(p.ImprimerSignature);
    ExpectRect(p.MargesInternes, 50, 50, 50, 50);
    EXPECT_EQ(p.Fonte.ToString(), "Arial,10,0,0000,0,1");
    EXPECT_EQ(EtiquettesParPage(p), 24);
}

TEST(Parametres, EnPortraitLesDefautsPaventLaFeuille)
{
    const Parametres p = Defauts();
    EXPECT_EQ(Colonnes(p), (std::vector<int32_t>{0, 700, 1400}));
    EXPECT_EQ(Lignes(p), (std::vector<int32_t>{40, 400, 760, 1120, 1480, 1840, 2200, 2560}));
    ExpectRect(CelluleEtiquette(p, 0, 0), 0, 40, 700, 400);
    ExpectRect(CelluleEtiquette(p, 7, 2), 1400, 2560, 2100, 2920);
    EXPECT_EQ(p.HauteurPage - CelluleEtiquette(p, 7, 2).bottom, p.MargeBasse);
    ExpectRect(RectangleTexte(p, 0, 0), 50, 90, 650, 350);
    ExpectRect(RectangleTexte(p, 7, 2), 1450, 2610, 2050, 2870);
}

TEST(Parametres, LePaysageTourneTaillesEtDecalages)
{
    const Parametres p = Defauts(true);
    // Across: HauteurPage between MargeHaute and MargeBasse; positions truncated
    // one by one, never accumulated.
    EXPECT_EQ(Colonnes(p), (std::vector<int32_t>{40, 1130, 2220}));
    EXPECT_EQ(Lignes(p), (std::vector<int32_t>{0, 248, 497, 745, 994, 1242, 1491, 1740}));
    // The label itself does not turn.
    ExpectRect(CelluleEtiquette(p, 7, 2), 2220, 1740, 2920, 2100);
    EXPECT_EQ(p.HauteurPage - CelluleEtiquette(p, 0, 2).right, p.MargeBasse);
}

TEST(Parametres, UneSeuleLigneOuColonneSePlaceAuxDecalagesDeDepart)
{
    for (const bool paysage : {false, true}) {
        Parametres p = Defauts(paysage);
        p.NbCols = 1;
        p.NbLignes = 1;
        p.MargeGauche = 11;
        p.MargeHaute = 22;
        p.MargeDroite = 999;
        p.MargeBasse = 888;
        const qlRect c = CelluleEtiquette(p, 0, 0);
        EXPECT_EQ(c.left, paysage ? 22 : 11) << paysage;
        EXPECT_EQ(c.top, paysage ? 11 : 22) << paysage;
        EXPECT_EQ(c.LireSize(), qlSize(700, 360)) << paysage;
    }
    // Counts below 1 (a hand-edited settings file) never divide.
    Parametres p = Defauts();
    p.NbCols = 0;
    p.NbLignes = -3;
    EXPECT_EQ(PositionColonne(p, 5), 0);
    EXPECT_EQ(PositionLigne(p, 5), 40);
}

TEST(Parametres, UnPasNegatifRecule)
{
    Parametres p = Defauts();
    p.LargeurPage = 500;
    p.MargeGauche = 100;
    p.MargeDroite = 100;  // span 500 - 200 - 700 = -400
    EXPECT_EQ(Colonnes(p), (std::vector<int32_t>{100, -100, -300}));

    // Landscape record whose top and bottom offsets exceed its left and right
    // ones: the columns overlap, the layout still runs.
    Parametres q = Defauts(true);
    q.NbCols = 4;
    q.MargeHaute = 600;
    q.MargeBasse = 600;  // span 2970 - 1200 - 700 = 1070, over 3 steps
    q.LargeurEtiq = 700;
    EXPECT_EQ(Colonnes(q), (std::vector<int32_t>{600, 956, 1313, 1670}));
    q.MargeBasse = 2000;  // span 2970 - 2600 - 700 = -330
    EXPECT_EQ(Colonnes(q), (std::vector<int32_t>{600, 490, 380, 270}));
}

TEST(Parametres, DesMargesInternesPlusGrandesQueLEtiquetteNeLaissentPasDeZoneDeTexte)
{
    Parametres p = Defauts();
    p.MargesInternes = qlRect(400, 200, 400, 200);
    const qlRect t = RectangleTexte(p, 0, 0);
    EXPECT_GE(t.left, t.right);
    EXPECT_GE(t.top, t.bottom);
}

TEST(Parametres, DesValeursEnormesNePlantentPas)
{
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const int32_t valeurs[] = {kMin, -1, 0, 1, kMax};
    for (const int32_t v : valeurs) {
        for (const bool paysage : {false, true}) {
            Parametres p = Defauts(paysage);
            p.LargeurPage = v;
            p.HauteurPage = kMin;
            p.LargeurEtiq = v;
            p.HauteurEtiq = kMax;
            p.NbCols = v;
            p.NbLignes = kMax;
            p.MargeGauche = kMax;
            p.MargeDroite = v;
            p.MargeHaute = kMin;
            p.MargeBasse = v;
            p.MargesInternes = qlRect(kMin, kMax, v, kMin);
            for (const int32_t index : valeurs) {
                const qlRect c = CelluleEtiquette(p, index, v);
                const qlRect t = RectangleTexte(p, v, index);
                (void)c;
                (void)t;
            }
            (void)EtiquettesParPage(p);
        }
    }
    SUCCEED();  // UndefinedBehaviorSanitizer reports any overflow
}

} // namespace
