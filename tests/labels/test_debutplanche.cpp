// Starting on a partly used sheet: the labels before the start stay blank on
// the first sheet only, the voters follow row by row in print order, pages
// count from the first sheet.

#include "DebutPlanche.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <limits>

namespace {

// Every page of the document, then one more: the table row of each label,
// "-" for a blank one.
QStringList Pages(const RepartitionEtiquettes& r)
{
    QStringList pages;
    for (int32_t page = 1; page <= r.NombrePages() + 1; ++page) {
        QStringList cellules;
        for (int64_t k = 0; k < r.EtiquettesParPage(); ++k) {
            const int32_t rangee = r.Rangee(page, k);
            cellules << (rangee < 0 ? QStringLiteral("-") : QString::number(rangee));
        }
        pages << cellules.join(QLatin1Char(' '));
    }
    return pages;
}

TEST(DebutPlanche, EtiquettesDeChaquePage)
{
    const struct {
        const char* cas;
        RepartitionEtiquettes repartition;
        QStringList pages;
    } cas[] = {
        {"feuille neuve", {6, 11u, 1}, {"1 2 3 4 5 6", "7 8 9 10 - -", "- - - - - -"}},
        {"début à la 4e", {6, 11u, 4},
         {"- - - 1 2 3", "4 5 6 7 8 9", "10 - - - - -", "- - - - - -"}},
        {"une seule sur la dernière", {6, 2u, 6}, {"- - - - - 1", "- - - - - -"}},
        {"début ramené à 6", {6, 3u, 99}, {"- - - - - 1", "2 - - - - -", "- - - - - -"}},
        {"début 0 ramené à 1", {2, 3u, 0}, {"1 2", "- -"}},
        {"aucun électeur", {6, 1u, 3}, {"- - - - - -"}},
        {"ordre par classe", {4, std::vector<int32_t>{5, 3, 1, 4, 2}, 3},
         {"- - 5 3", "1 4 2 -", "- - - -"}},
        {"grille vide", {0, 11u, 1}, {""}},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(Pages(c.repartition), c.pages) << c.cas;
        const RepartitionEtiquettes& r = c.repartition;
        EXPECT_EQ(r.Rangee(0, 0), -1) << c.cas;
        EXPECT_EQ(r.Rangee(1, -1), -1) << c.cas;
        EXPECT_EQ(r.Rangee(1, r.EtiquettesParPage()), -1) << c.cas;
    }

    // 24 labels a sheet: 24 voters fill one, one blank label pushes the last
    // voter onto a second; a huge grid and page number do not overflow.
    EXPECT_EQ(RepartitionEtiquettes(24, 25u, 1).NombrePages(), 1);
    EXPECT_EQ(RepartitionEtiquettes(24, 25u, 2).NombrePages(), 2);
    const RepartitionEtiquettes enorme(10'000'000'000, 4u, 10'000'000'000);
    EXPECT_EQ(enorme.NombrePages(), 2);
    EXPECT_EQ(enorme.Rangee(1, 9'999'999'999), 1);
    EXPECT_EQ(enorme.Rangee(2, 1), 3);
    EXPECT_EQ(enorme.Rangee(std::numeric_limits<int32_t>::max(), 5), -1);

    // What a script may pass: 1 to the labels of a sheet.
    EXPECT_TRUE(DebutValide(24, 1) && DebutValide(24, 24));
    EXPECT_FALSE(DebutValide(24, 0) || DebutValide(24, 25) || DebutValide(0, 1));
}

}  // namespace
