#include "Wreglageimprimante.h"

#include "BoutonsDialogue.h"
#include "ReperePage.h"
#include "TDecimalEdit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPolygonF>
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

// The sheet held upright as it leaves the printer, the printer's slot above
// it, and the two positive directions of the shifts on it.
class FeuilleSortante : public QWidget {
public:
    explicit FeuilleSortante(QWidget* parent) : QWidget(parent)
    {
        setFixedSize(120, 150);
        setAccessibleName(QStringLiteral("Feuille tenue droite à la sortie de l'imprimante : "
                                         "horizontal positif vers la droite, vertical positif "
                                         "vers le bas"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor bleu(52, 105, 165);
        // The printer's slot, the sheet coming out of it.
        p.fillRect(QRectF(10, 4, 80, 10), QColor(90, 90, 90));
        const QRectF feuille(22, 10, 56, 80);
        p.fillRect(feuille, Qt::white);
        p.setPen(QColor(128, 128, 128));
        p.drawRect(feuille);
        p.setPen(QPen(QColor(200, 200, 200), 1));
        for (int ligne = 0; ligne < 4; ++ligne)
            p.drawLine(QPointF(30, 30 + ligne * 14), QPointF(70, 30 + ligne * 14));
        // The two positive shifts.
        p.setPen(QPen(bleu, 2));
        p.setBrush(bleu);
        p.drawLine(QPointF(30, 104), QPointF(92, 104));
        p.drawPolygon(QPolygonF({QPointF(98, 104), QPointF(90, 100), QPointF(90, 108)}));
        p.drawLine(QPointF(104, 24), QPointF(104, 84));
        p.drawPolygon(QPolygonF({QPointF(104, 90), QPointF(100, 82), QPointF(108, 82)}));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, 110, 120, 16), Qt::AlignCenter, QStringLiteral("horizontal +"));
        p.drawText(QRectF(0, 128, 120, 16), Qt::AlignCenter, QStringLiteral("vertical + vers le bas"));
    }
};

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
    auto* sens = new QLabel(
        QStringLiteral("Mesurez sur la feuille tenue droite, telle qu'elle sort de l'imprimante, "
                       "même pour un format en paysage : le réglage tourne avec la page, il "
                       "vaut pour tous les formats."),
        this);
    sens->setWordWrap(true);

    edDecalageX = ChampDecalage(QStringLiteral("Décalage horizontal (mm)"), this);
    edDecalageY = ChampDecalage(QStringLiteral("Décalage vertical (mm)"), this);
    auto* formulaire = new QFormLayout;
    formulaire->addRow(QStringLiteral("Décalage horizontal (mm) :"), edDecalageX);
    formulaire->addRow(QStringLiteral("Décalage vertical (mm) :"), edDecalageY);

    auto* boutons = BoutonsOkAnnuler(this);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* textes = new QVBoxLayout;
    textes->addWidget(explication);
    textes->addWidget(sens);
    textes->addLayout(formulaire);
    textes->addStretch(1);
    auto* haut = new QHBoxLayout;
    haut->addLayout(textes, 1);
    haut->addWidget(new FeuilleSortante(this), 0, Qt::AlignTop);
    auto* mise = new QVBoxLayout(this);
    mise->addLayout(haut);
    mise->addWidget(boutons);
    setMinimumWidth(520);

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
