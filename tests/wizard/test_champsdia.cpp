// The fields dialog: its boxes, and which keys confirm or cancel it.

#include "Wchampsdia.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
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

// What a screen reader finds in the dialog: every control by its caption,
// the boxes with their state, the buttons pressable.
TEST(DialogueDesChamps, UnLecteurDEcranLitChaqueControleParSaLegende)
{
    TChampsDia dialogue;
    dialogue.chkSignature->setChecked(true);
    dialogue.chkAdresse->setChecked(false);
    QAccessibleInterface* fenetre = QAccessible::queryAccessibleInterface(&dialogue);
    ASSERT_NE(fenetre, nullptr);
    EXPECT_EQ(fenetre->role(), QAccessible::Dialog);
    EXPECT_EQ(fenetre->text(QAccessible::Name), QStringLiteral("Dialogue"));

    struct Lu {
        QWidget* controle;
        QAccessible::Role role;
        QString nom;
        bool coche;
        QString action;
    };
    const QString cocher = QAccessibleActionInterface::toggleAction();
    const QString appuyer = QAccessibleActionInterface::pressAction();
    const Lu lus[] = {
        {dialogue.Label3, QAccessible::StaticText, QStringLiteral("Choix des champs à imprimer"),
         false, QString()},
        {dialogue.chkNomEnf, QAccessible::CheckBox, QStringLiteral("Nom de l'enfant N° 1"), false,
         cocher},
        {dialogue.chkClasseEnf, QAccessible::CheckBox, QStringLiteral("Classe de l'enfant N° 1"),
         false, cocher},
        {dialogue.Label1, QAccessible::StaticText, QStringLiteral("Nom, prénom du responsable"),
         false, QString()},
        {dialogue.chkAdresse, QAccessible::CheckBox, QStringLiteral("Adresse du responsable"), false,
         cocher},
        {dialogue.chkSignature, QAccessible::CheckBox, QStringLiteral("Champ \"Signature\" "), true,
         cocher},
        {dialogue.OKBtn, QAccessible::Button, QStringLiteral("OK"), false, appuyer},
        {dialogue.CancelBtn, QAccessible::Button, QStringLiteral("Annuler"), false, appuyer},
    };
    for (const Lu& l : lus) {
        SCOPED_TRACE(l.nom.toStdString());
        QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(l.controle);
        ASSERT_NE(interface, nullptr);
        EXPECT_EQ(interface->role(), l.role);
        EXPECT_EQ(interface->text(QAccessible::Name), l.nom);
        EXPECT_EQ(interface->state().checked, l.coche);
        EXPECT_EQ(fenetre->indexOfChild(interface) >= 0, true);
        if (!l.action.isEmpty()) {
            ASSERT_NE(interface->actionInterface(), nullptr);
            EXPECT_TRUE(interface->actionInterface()->actionNames().contains(l.action));
        }
    }
}

}  // namespace
