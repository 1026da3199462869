// The fields dialog: its boxes, and which keys confirm or cancel it.

#include "Wchampsdia.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

int ExecuterEtTaper(TChampsDia& dialogue, Qt::Key touche)
{
    QTimer::singleShot(0, &dialogue, [&dialogue, touche] {
        QTest::keyClick(dialogue.focusWidget() ? dialogue.focusWidget() : &dialogue, touche);
    });
    return dialogue.exec();
}

TEST(DialogueDesChamps, ProposeLesQuatreCasesDansLOrdreDeTabulation)
{
    TChampsDia dialogue;
    EXPECT_EQ(dialogue.windowTitle(), QStringLiteral("Dialogue"));
    EXPECT_EQ(dialogue.size(), QSize(313, 226));
    EXPECT_EQ(dialogue.chkNomEnf->text(), QStringLiteral("Nom de l'enfant N° 1"));
    EXPECT_EQ(dialogue.chkClasseEnf->text(), QStringLiteral("Classe de l'enfant N° 1"));
    EXPECT_EQ(dialogue.chkAdresse->text(), QStringLiteral("Adresse du responsable"));
    EXPECT_EQ(dialogue.chkSignature->text(), QStringLiteral("Champ \"Signature\" "));
    EXPECT_TRUE(dialogue.OKBtn->isDefault());

    QWidget* attendus[] = {dialogue.chkNomEnf, dialogue.chkClasseEnf, dialogue.chkAdresse,
                           dialogue.chkSignature, dialogue.CancelBtn};
    QWidget* courant = dialogue.OKBtn;
    for (QWidget* suivant : attendus) {
        courant = courant->nextInFocusChain();
        while (courant->focusPolicy() == Qt::NoFocus)
            courant = courant->nextInFocusChain();
        EXPECT_EQ(courant, suivant);
    }
}

TEST(DialogueDesChamps, EntreeConfirmeEtEchapAnnule)
{
    TChampsDia dialogue;
    EXPECT_EQ(ExecuterEtTaper(dialogue, Qt::Key_Return), QDialog::Accepted);
    EXPECT_EQ(ExecuterEtTaper(dialogue, Qt::Key_Escape), QDialog::Rejected);
}

}  // namespace
