#include "Wreglageimprimante.h"

#include "BoutonsDialogue.h"
#include "ReperePage.h"
#include "TDecimalEdit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

TDecimalEdit* ChampDecalage(const QString& nom, QWidget* parent)
{
    auto* champ = new TDecimalEdit(parent);
    champ->SetFormatString(QStringLiteral("1"));
    champ->SetMinValue(-kDecalageMax / 10.0L);
    champ->SetMaxValue(kDecalageMax / 10.0L);
    champ->SetValidate(true);
    champ->SetAlignment(Qt::AlignRight);
    champ->setAccessibleName(nom);
    champ->setMaximumWidth(90);
    return champ;
}

}  // namespace

int32_t DixiemesDepuisMillimetres(long double millimetres)
{
    if (std::isnan(millimetres))
        return 0;
    const long double dixiemes = std::round(millimetres * 10.0L);
    return static_cast<int32_t>(std::clamp<long double>(dixiemes, -kDecalageMax, kDecalageMax));
}

TReglageImprimante::TReglageImprimante(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Réglage de l'imprimante"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* explication = new QLabel(
        QStringLiteral("Imprimez la page de test sur du papier ordinaire, posez-la sur une "
                       "planche d'étiquettes devant une fenêtre et mesurez de combien il faut "
                       "déplacer les cadres imprimés pour qu'ils tombent sur les étiquettes : en "
                       "positif vers la droite ou vers le bas, en négatif vers la gauche ou vers "
                       "le haut (10 mm au plus)."),
        this);
    explication->setWordWrap(true);

    edDecalageX = ChampDecalage(QStringLiteral("Décalage horizontal (mm)"), this);
    edDecalageY = ChampDecalage(QStringLiteral("Décalage vertical (mm)"), this);
    auto* formulaire = new QFormLayout;
    formulaire->addRow(QStringLiteral("Décalage horizontal (mm) :"), edDecalageX);
    formulaire->addRow(QStringLiteral("Décalage vertical (mm) :"), edDecalageY);

    auto* boutons = BoutonsOkAnnuler(this);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* mise = new QVBoxLayout(this);
    mise->addWidget(explication);
    mise->addLayout(formulaire);
    mise->addWidget(boutons);
    setMinimumWidth(420);

    SetDecalages(0, 0);
    edDecalageX->setFocus();
}

void TReglageImprimante::SetDecalages(int32_t decalageX, int32_t decalageY)
{
    edDecalageX->SetValue(DixiemesDepuisMillimetres(decalageX / 10.0L) / 10.0L);
    edDecalageY->SetValue(DixiemesDepuisMillimetres(decalageY / 10.0L) / 10.0L);
}

int32_t TReglageImprimante::DecalageX() const
{
    return DixiemesDepuisMillimetres(edDecalageX->Value());
}

int32_t TReglageImprimante::DecalageY() const
{
    return DixiemesDepuisMillimetres(edDecalageY->Value());
}
