// The small dialogs of printing, driven by the keyboard: a sheet chosen from
// the catalogue, the start label on a used sheet, the printer's calibration.

#include "TDecimalEdit.h"
#include "Wchoixplanche.h"
#include "Wdebutplanche.h"
#include "Wreglageimprimante.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// Runs the dialog and types into `champ` once it is up, then Enter; Escape
// closes it if that left it open.
int Tape(QDialog& dialogue, QWidget* champ, const QString& texte, bool descendre = false)
{
    QTimer::singleShot(0, &dialogue, [&dialogue, champ, texte, descendre] {
        QTest::keyClicks(champ, texte);
        if (descendre)
            QTest::keyClick(champ, Qt::Key_Down);
        QTest::keyClick(champ, Qt::Key_Return);
        if (dialogue.isVisible())
            QTest::keyClick(dialogue.focusWidget(), Qt::Key_Escape);
    });
    return dialogue.exec();
}

TEST(DialogueChoixPlanche, TaperChoisirEtValider)
{
    TChoixPlanche dialogue;
    EXPECT_EQ(dialogue.edRecherche->accessibleName(), QStringLiteral("Marque ou référence"));
    EXPECT_EQ(dialogue.lvPlanches->accessibleName(), QStringLiteral("Planches"));
    EXPECT_EQ(Tape(dialogue, dialogue.edRecherche, QStringLiteral("L7160")), QDialog::Accepted);
    ASSERT_EQ(dialogue.lvPlanches->topLevelItemCount(), 1);
    QStringList ligne;
    for (int c = 0; c < dialogue.lvPlanches->columnCount(); ++c)
        ligne << dialogue.lvPlanches->topLevelItem(0)->text(c);
    EXPECT_EQ(ligne,
              QStringList({"Avery", "L7160", "Étiquettes d'adresse", "64 × 38,1 mm", "21"}));
    EXPECT_EQ(dialogue.PlancheChoisie().value_or(Planche()).Nom(), QStringLiteral("Avery L7160"));

    // Down in the search field moves in the list.
    TChoixPlanche suivante;
    EXPECT_EQ(Tape(suivante, suivante.edRecherche, QStringLiteral("herma 410"), true),
              QDialog::Accepted);
    EXPECT_EQ(suivante.PlancheChoisie().value_or(Planche()).Nom(), QStringLiteral("Herma 4101"));

    // Nothing matches: OK is off and Enter does not close.
    TChoixPlanche aucune;
    EXPECT_EQ(Tape(aucune, aucune.edRecherche, QStringLiteral("zzz")), QDialog::Rejected);
    EXPECT_EQ(aucune.lbNombre->text(), QStringLiteral("Aucune planche ne correspond."));
    EXPECT_FALSE(aucune.boutons->button(QDialogButtonBox::Ok)->isEnabled());
    EXPECT_FALSE(aucune.PlancheChoisie());
}

TEST(DialogueDebutPlanche, DeUnAuNombreDEtiquettesParPlanche)
{
    TDebutPlanche dialogue(3, 8);
    EXPECT_EQ(dialogue.edDebut->accessibleName(), QStringLiteral("Commencer à l'étiquette n°"));
    EXPECT_EQ(dialogue.edDebut->maximum(), 24);
    EXPECT_EQ(dialogue.Debut(), 1);
    EXPECT_EQ(Tape(dialogue, dialogue.edDebut, QStringLiteral("17")), QDialog::Accepted);
    EXPECT_EQ(dialogue.Debut(), 17);
    EXPECT_EQ(TDebutPlanche(0, 8).edDebut->maximum(), 1);
}

TEST(DialogueReglageImprimante, MillimetresAvecVirguleEnDixiemes)
{
    const struct {
        long double mm;
        int32_t dixiemes;
    } cas[] = {{1.5L, 15}, {-0.7L, -7}, {1.25L, 13}, {0.04L, 0}, {10.04L, 100}, {-30, -100}};
    for (const auto& c : cas)
        EXPECT_EQ(DixiemesDepuisMillimetres(c.mm), c.dixiemes) << static_cast<double>(c.mm);

    TReglageImprimante dialogue;
    EXPECT_EQ(dialogue.edDecalageX->accessibleName(), QStringLiteral("Décalage horizontal (mm)"));
    EXPECT_EQ(dialogue.edDecalageY->accessibleName(), QStringLiteral("Décalage vertical (mm)"));
    dialogue.SetDecalages(15, -7);
    EXPECT_EQ(dialogue.edDecalageX->text(), QStringLiteral("1,5"));
    EXPECT_EQ(dialogue.edDecalageY->text(), QStringLiteral("-0,7"));
    dialogue.edDecalageX->clear();
    QTest::keyClicks(dialogue.edDecalageX, QStringLiteral("-2,3"));
    dialogue.edDecalageY->clear();
    EXPECT_EQ(Tape(dialogue, dialogue.edDecalageY, QStringLiteral("12")), QDialog::Accepted);
    EXPECT_EQ(dialogue.DecalageX(), -23);
    EXPECT_EQ(dialogue.DecalageY(), 100);  // 1 cm at most
}

}  // namespace
