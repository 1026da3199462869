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

int ExecuteEtTape(TChampsDia& dialogue, Qt::Key touche)
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
    EXPECT_EQ(dialogue.size(), QSize(313, 254));
    EXPECT_EQ(dialogue.chkNomEnf->text(), QStringLiteral("Nom de l'enfant N° 1"));
    EXPECT_EQ(dialogue.chkClasseEnf->text(), QStringLiteral("Classe de l'enfant N° 1"));
    EXPECT_EQ(dialogue.chkAdresse->text(), QStringLiteral("Adresse du responsable"));
    EXPECT_EQ(dialogue.chkSignature->text(), QStringLiteral("Champ \"Signature\" "));
    EXPECT_TRUE(dialogue.OKBtn->isDefault());

    QWidget* attendus[] = {dialogue.chkNomEnf,    dialogue.chkClasseEnf,
                           dialogue.chkAdresse,   dialogue.chkSignature,
                           dialogue.chkTriClasse, dialogue.chkAjusterTexte,
                           dialogue.CancelBtn};
    QWidget* courant = dialogue.OKBtn;
    for (QWidget* suivant : attendus) {
        courant = courant->nextInFocusChain();
        while (courant->focusPolicy() == Qt::NoFocus)
            courant = courant->nextInFocusChain();
        EXPECT_EQ(courant, suivant);
    }
}

// The order by class and the reduced text fit under the four boxes, above the
// buttons, which move down, their captions whole.
TEST(DialogueDesChamps, LaCaseDuTriParClasseSeGlisseSansRienDeplacer)
{
    TChampsDia dialogue;
    const struct {
        QWidget* controle;
        QRect place;
    } places[] = {
        {dialogue.chkNomEnf, {16, 40, 169, 17}},     {dialogue.chkClasseEnf, {16, 64, 177, 17}},
        {dialogue.Label1, {16, 88, 273, 25}},        {dialogue.chkAdresse, {16, 112, 177, 17}},
        {dialogue.chkSignature, {16, 136, 201, 17}}, {dialogue.chkTriClasse, {16, 154, 273, 17}},
        {dialogue.chkAjusterTexte, {16, 172, 289, 17}},
        {dialogue.OKBtn, {79, 200, 75, 25}},         {dialogue.CancelBtn, {159, 200, 75, 25}},
    };
    for (const auto& p : places)
        EXPECT_EQ(p.controle->geometry(), p.place) << p.controle->metaObject()->className();
    EXPECT_EQ(dialogue.chkTriClasse->text(), QStringLiteral("Trier les étiquettes par classe"));
    EXPECT_EQ(dialogue.chkAjusterTexte->text(),
              QStringLiteral("Réduire le texte des étiquettes trop pleines"));
    EXPECT_LE(dialogue.chkTriClasse->sizeHint().width(), dialogue.chkTriClasse->width());
    EXPECT_LE(dialogue.chkAjusterTexte->sizeHint().width(), dialogue.chkAjusterTexte->width());
    EXPECT_FALSE(dialogue.chkAjusterTexte->geometry().intersects(dialogue.OKBtn->geometry()));
    EXPECT_FALSE(dialogue.chkTriClasse->geometry().intersects(dialogue.chkSignature->geometry()));
    EXPECT_FALSE(dialogue.chkTriClasse->geometry().intersects(dialogue.OKBtn->geometry()));

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(dialogue.chkTriClasse);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::CheckBox);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Trier les étiquettes par classe"));
}

TEST(DialogueDesChamps, EntreeConfirmeEtEchapAnnule)
{
    TChampsDia dialogue;
    EXPECT_EQ(ExecuteEtTape(dialogue, Qt::Key_Return), QDialog::Accepted);
    EXPECT_EQ(ExecuteEtTape(dialogue, Qt::Key_Escape), QDialog::Rejected);
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
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(l.controle);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), l.role);
        EXPECT_EQ(accessible->text(QAccessible::Name), l.nom);
        EXPECT_EQ(accessible->state().checked, l.coche);
        EXPECT_EQ(fenetre->indexOfChild(accessible) >= 0, true);
        if (!l.action.isEmpty()) {
            ASSERT_NE(accessible->actionInterface(), nullptr);
            EXPECT_TRUE(accessible->actionInterface()->actionNames().contains(l.action));
        }
    }
}

}  // namespace
