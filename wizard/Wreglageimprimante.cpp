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
        setFixedSize(190, 116);
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
        p.fillRect(QRectF(20, 4, 90, 10), QColor(90, 90, 90));
        const QRectF feuille(37, 10, 56, 80);
        p.fillRect(feuille, Qt::white);
        p.setPen(QColor(128, 128, 128));
        p.drawRect(feuille);
        p.setPen(QPen(QColor(200, 200, 200), 1));
        for (int ligne = 0; ligne < 4; ++ligne)
            p.drawLine(QPointF(45, 30 + ligne * 14), QPointF(85, 30 + ligne * 14));
        // The two positive shifts, along the sheet's bottom and right edges.
        p.setPen(QPen(bleu, 2));
        p.setBrush(bleu);
        p.drawLine(QPointF(37, 102), QPointF(93, 102));
        p.drawPolygon(QPolygonF({QPointF(100, 102), QPointF(92, 98), QPointF(92, 106)}));
        p.drawLine(QPointF(105, 20), QPointF(105, 80));
        p.drawPolygon(QPolygonF({QPointF(105, 87), QPointF(101, 79), QPointF(109, 79)}));
        p.setPen(Qt::black);
        p.drawText(QRectF(104, 94, 86, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("horizontal +"));
        p.drawText(QRectF(112, 44, 78, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("vertical +"));
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

    // The texts take the whole width; the fields sit beside the picture.
    auto* champs = new QHBoxLayout;
    champs->addLayout(formulaire, 1);
    champs->addWidget(new FeuilleSortante(this), 0, Qt::AlignTop);
    auto* mise = new QVBoxLayout(this);
    mise->addWidget(explication);
    mise->addWidget(sens);
    mise->addLayout(champs);
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
