// The test page on the recording canvas: outlines and sample texts. The PDF
// is checked end to end with brivane-pdf.

#include "CanevasEnregistreur.h"
#include "PageTest.h"
#include "Parametres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Appel = CanevasEnregistreur::Appel;
using Genre = CanevasEnregistreur::Genre;

constexpr int kHauteurLigne = 40;  // cell height of the recording canvas

const std::vector<std::string> kLignesExemple = {
    "El\xe8ve UNTEST Charles", "CM2 Mme Patience", "Mme UNTEST Hildegarde",
    "12, rue des Petits Tests Informatiques", "99999 TESTEVILLE SUR PC"};

// Every cell, row by row and left to right: its outline, then the sample
// written line under line in its text rectangle, clipped to it.
TEST(ImprimePageTest, ContourPuisExempleDansChaqueEtiquette)
{
    struct Cas {
        const char* nom;
        bool paysage;
        qlRect marges;
        qlRect derniere;  // the last cell
        bool texte;       // whether the margins leave a text rectangle
    };
    const std::vector<Cas> cas = {
        {"defauts", false, qlRect(50, 50, 50, 50), qlRect(1400, 2560, 2100, 2920), true},
        {"paysage", true, qlRect(50, 50, 50, 50), qlRect(2220, 1740, 2920, 2100), true},
        {"marges_sans_largeur", false, qlRect(400, 50, 300, 50), qlRect(1400, 2560, 2100, 2920),
         false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Parametres p;
        InitParametres(p);
        p.Orientation = c.paysage;
        p.MargesInternes = c.marges;
        CanevasEnregistreur canevas(10, kHauteurLigne);
        ImprimePageTest(canevas, p);

        // The calls of each label, from its outline to the next one.
        std::vector<std::vector<Appel>> etiquettes;
        for (const Appel& a : canevas.Appels()) {
            if (a.genre == Genre::RectangleArrondi)
                etiquettes.emplace_back();
            if (!etiquettes.empty())
                etiquettes.back().push_back(a);
        }
        ASSERT_EQ(etiquettes.size(), 24u);
        EXPECT_EQ(etiquettes.back().front().rectangle, c.derniere);
        for (int32_t k = 0; k < 24; ++k) {
            SCOPED_TRACE(k);
            const std::vector<Appel>& appels = etiquettes[static_cast<std::size_t>(k)];
            EXPECT_EQ(appels.front().rectangle, CelluleEtiquette(p, k / 3, k % 3));
            EXPECT_EQ(appels.front().largeurCoin, 105);
            EXPECT_EQ(appels.front().hauteurCoin, 54);

            std::vector<Appel> textes;
            std::copy_if(appels.begin(), appels.end(), std::back_inserter(textes),
                         [](const Appel& a) { return a.genre == Genre::Texte; });
            if (!c.texte) {
                EXPECT_TRUE(textes.empty());
                continue;
            }
            const qlRect r = RectangleTexte(p, k / 3, k % 3);
            ASSERT_EQ(textes.size(), kLignesExemple.size());
            for (std::size_t i = 0; i < textes.size(); ++i) {
                EXPECT_EQ(textes[i].octets, kLignesExemple[i]);
                EXPECT_EQ(textes[i].x, r.left);
                EXPECT_EQ(textes[i].y, r.top + kHauteurLigne * static_cast<int>(i + 1));
            }
        }
        EXPECT_EQ(canevas.Profondeur(), 0);
    }
}

}  // namespace
