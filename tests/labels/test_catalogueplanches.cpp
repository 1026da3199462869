// The catalogue of label sheets: reading it, the search a user types, the
// exact name a script gives with the nearest names when it is unknown, and
// the format a chosen sheet makes.

#include "CataloguePlanches.h"
#include "VerificationFormat.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The figures in the file's order: label, grid, top, right, bottom, left.
template <class Format>
QString Figures(const Format& p)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8").arg(p.LargeurEtiq).arg(p.HauteurEtiq)
        .arg(p.NbCols).arg(p.NbLignes).arg(p.MargeHaute).arg(p.MargeDroite).arg(p.MargeBasse)
        .arg(p.MargeGauche);
}

TEST(CataloguePlanches, LectureDesLignesUtilisables)
{
    const QByteArray bonnes = "\xEF\xBB\xBFmarque;reference;...\r\n"
                              "Avery;L7160;Étiquettes d'adresse;640;381;3;7;155;64;148;75\r\n"
                              "\"Herma\";\"A;B\";\"dit \"\"x\"\"\";700;360;3;8;40;0;50;0\r\n\r\n";
    const char* mauvaises[] = {
        "Avery;L7161;trop court;636;468;3;6;81;72;84",
        "Avery;L7162;lettres;99a;339;2;8;130;44;128;40",
        "Avery;L7163;largeur nulle;0;381;2;7;152;45;151;34",
        "Avery;L7165;décalage négatif;991;677;2;4;130;-1;130;47",
        "Avery;L7166;plus large que A4;2101;100;1;1;0;0;0;0",
        ";L7167;sans marque;991;677;2;4;130;46;130;47",
        "AVERY;l7160;même nom qu'une autre;640;381;3;7;155;64;148;75",
    };
    CataloguePlanches catalogue;
    EXPECT_TRUE(catalogue.Charge(bonnes));
    for (const char* ligne : mauvaises) {
        EXPECT_FALSE(catalogue.Charge(bonnes + ligne + "\n")) << ligne;
        EXPECT_EQ(catalogue.Planches().size(), 2u) << ligne;
    }
    EXPECT_EQ(Figures(catalogue.Planches()[0]), QStringLiteral("640 381 3 7 155 64 148 75"));
    EXPECT_EQ(TailleEtiquetteMm(catalogue.Planches()[0]), QStringLiteral("64 × 38,1 mm"));
    EXPECT_EQ(catalogue.Planches()[1].Nom(), QStringLiteral("Herma A;B"));
    EXPECT_EQ(catalogue.Planches()[1].Description, QStringLiteral("dit \"x\""));

    // The program's own catalogue: every sheet read, and every one passes
    // the wizard's checks once applied to the default format, inner margins
    // made smaller (and said) where the defaults leave no room for text.
    ASSERT_EQ(CataloguePlanchesA4().Planches().size(), 547u);
    int margesRamenees = 0;
    for (const Planche& planche : CataloguePlanchesA4().Planches()) {
        Parametres p;
        InitParametres(p);
        const QString marges = AppliquePlanche(planche, p);
        margesRamenees += marges.isEmpty() ? 0 : 1;
        if (planche.Nom() == QStringLiteral("Avery L4730"))  // 17,8 × 10 mm
            EXPECT_EQ(marges, QStringLiteral(
                "Attention : les marges internes des réglages laissent trop peu de place au texte "
                "sur les étiquettes de 17,8 × 10 mm de la planche « Avery L4730 » : "
                "MargeInterneGauche et MargeInterneDroite passent de 50 et 50 à 22 chacune ; "
                "MargeInterneHaute et MargeInterneBasse passent de 50 et 50 à 12 chacune."));
        EXPECT_TRUE(p.MargeGauche + p.MargeDroite + p.NbCols * p.LargeurEtiq <= 2100
                    && p.MargeHaute + p.MargeBasse + p.NbLignes * p.HauteurEtiq <= 2970)
            << planche.Nom().toStdString();
        EXPECT_EQ(RefusFormat(p), QString()) << planche.Nom().toStdString();
    }
    EXPECT_GE(margesRamenees, 15);
}

TEST(CataloguePlanches, FiltreSurLaMarqueEtLaReference)
{
    const struct {
        const char* requete;
        int nombre;            // -1 to skip
        const char* premiere;  // nullptr when nothing matches
    } cas[] = {
        {"", 547, "Avery 18036"},
        {"Ávèry l-7160", 1, "Avery L7160"},  // accents, case, punctuation
        {"avery", 40, "Avery 18036"},
        {"7160", 2, "Avery 7160"},           // the reference itself first
        {"4100 HERMA", -1, "Herma 4100"},
        {"ea 1050x1480", -1, "Igepa EA-1050x1480"},
        {"herma L7160", 0, nullptr},         // every word must match
        {"adresse", 0, nullptr},             // not the description
    };
    for (const auto& c : cas) {
        QStringList noms;
        for (const Planche* p : CataloguePlanchesA4().Filtre(QString::fromUtf8(c.requete)))
            noms << p->Nom();
        EXPECT_EQ(c.nombre < 0 ? -1 : noms.size(), c.nombre) << c.requete;
        EXPECT_EQ(noms.value(0), QString::fromUtf8(c.premiere)) << c.requete;
    }
}

TEST(CataloguePlanches, NomExactOuPlanchesProches)
{
    const CataloguePlanches& catalogue = CataloguePlanchesA4();
    const struct {
        const char* nom;
        const char* trouvee;  // nullptr: unknown
        const char* proche;   // the closest name
    } cas[] = {
        {"  avery   l7160 ", "Avery L7160", "Avery L7160"},
        {"Igepa EA-700x677", "Igepa EA-700x677", "Igepa EA-700x677"},
        {"Avery L7106", nullptr, "Avery L7160"},  // two digits swapped
        {"L7160", nullptr, "Avery L7160"},        // the maker left out
        {"Herma 41OO", nullptr, "Herma 4100"},
    };
    for (const auto& c : cas) {
        const Planche* p = catalogue.Trouve(QString::fromUtf8(c.nom));
        EXPECT_EQ(p ? p->Nom() : QString(), QString::fromUtf8(c.trouvee)) << c.nom;
        const QStringList proches = catalogue.Proches(QString::fromUtf8(c.nom));
        EXPECT_EQ(proches.size(), CataloguePlanches::NombreProches) << c.nom;
        EXPECT_EQ(proches.value(0), QString::fromUtf8(c.proche)) << c.nom;
    }
    EXPECT_EQ(catalogue.MessagePlancheInconnue(QStringLiteral(" Avery  L7106")),
              "Planche inconnue : « Avery L7106 ». Planches proches : "
                  + catalogue.Proches(QStringLiteral("Avery L7106")).join(", ") + '.');
}

TEST(AppliquePlanche, FeuilleGrilleEtDecalagesSeulement)
{
    Parametres base;
    InitParametres(base);
    base.PathFich = QStringLiteral("/tmp/liste.csv");
    base.Orientation = base.ImprimerSignature = true;
    base.MargesInternes = qlRect(11, 12, 13, 14);
    base.Fonte.EcritNom("Times New Roman");

    const struct {
        const char* ligne;
        QString applique;  // Figures() of the format afterwards
    } cas[] = {
        {"M;tient juste;;640;381;3;7;155;64;148;75", "640 381 3 7 155 64 148 75"},
        {"M;0,3 mm de trop;;636;468;3;6;81;72;84;74", "636 468 3 6 81 72 81 74"},
        {"M;0,6 mm : au contrôle;;700;100;3;1;0;6;10;0", "700 100 3 1 0 6 10 0"},
        {"M;marge trop petite;;700;2969;3;1;3;0;1;0", "700 2969 3 1 3 0 0 0"},
    };
    for (const auto& c : cas) {
        CataloguePlanches catalogue;
        ASSERT_TRUE(catalogue.Charge(QByteArray("entete\n") + c.ligne)) << c.ligne;
        Parametres p = base;
        AppliquePlanche(catalogue.Planches().front(), p);
        EXPECT_EQ(Figures(p), c.applique) << c.ligne;
        EXPECT_TRUE(p.LargeurPage == 2100 && p.HauteurPage == 2970 && !p.Orientation) << c.ligne;
        EXPECT_TRUE(p.PathFich == base.PathFich && p.MargesInternes == base.MargesInternes
                    && p.Fonte.ToString() == base.Fonte.ToString() && p.ImprimerSignature
                    && p.ImprimerAdresse && p.ImprimerEnfant && p.ImprimerClasse)
            << c.ligne;
    }
}

}  // namespace
