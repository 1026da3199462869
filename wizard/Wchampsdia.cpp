#include "Wchampsdia.h"

#include "Uapparence.h"

#include <QCheckBox>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TChampsDia::TChampsDia(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Dialogue"));
    setFixedSize(313, 254);
    setSizeGripEnabled(false);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Label3 = new QLabel(QStringLiteral("Choix des champs à imprimer"), this);
    Label3->setFont(Arial(16, true, true, true));
    Colore(Label3, Marine());
    Label3->move(8, 8);
    Label3->adjustSize();

    chkNomEnf = new QCheckBox(QStringLiteral("Nom de l'enfant N° 1"), this);
    chkNomEnf->setGeometry(16, 40, 169, 17);
    chkClasseEnf = new QCheckBox(QStringLiteral("Classe de l'enfant N° 1"), this);
    chkClasseEnf->setGeometry(16, 64, 177, 17);
    Label1 = new QLabel(QStringLiteral("Nom, prénom du responsable"), this);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(16, 88, 273, 25);
    chkAdresse = new QCheckBox(QStringLiteral("Adresse du responsable"), this);
    chkAdresse->setGeometry(16, 112, 177, 17);
    chkSignature = new QCheckBox(QStringLiteral("Champ \"Signature\" "), this);
    chkSignature->setGeometry(16, 136, 201, 17);
    chkTriClasse = new QCheckBox(QStringLiteral("Trier les étiquettes par classe"), this);
    chkTriClasse->setGeometry(16, 154, 273, 17);
    chkAjusterTexte =
        new QCheckBox(QStringLiteral("Réduire le texte des étiquettes trop pleines"), this);
    chkAjusterTexte->setGeometry(16, 172, 289, 17);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setGeometry(79, 200, 75, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    CancelBtn = new QPushButton(QStringLiteral("Annuler"), this);
    CancelBtn->setGeometry(159, 200, 75, 25);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    // OK first, then the boxes top to bottom, then Annuler.
    setTabOrder(OKBtn, chkNomEnf);
    setTabOrder(chkNomEnf, chkClasseEnf);
    setTabOrder(chkClasseEnf, chkAdresse);
    setTabOrder(chkAdresse, chkSignature);
    setTabOrder(chkSignature, chkTriClasse);
    setTabOrder(chkTriClasse, chkAjusterTexte);
    setTabOrder(chkAjusterTexte, CancelBtn);
}

void TChampsDia::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* ecran = screen())
        move(ecran->availableGeometry().center() - rect().center());
    OKBtn->setFocus();
}
