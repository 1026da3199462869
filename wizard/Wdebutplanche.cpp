#include "Wdebutplanche.h"

#include "BoutonsDialogue.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

// The sheet in miniature: the labels before the start greyed, the start
// label outlined in blue. Pictures only; the spin box says it all.
class TDebutPlanche::Apercu : public QWidget {
public:
    Apercu(int32_t nbCols, int32_t nbLignes, bool paysage, QWidget* parent)
        : QWidget(parent), m_nbCols(std::max(nbCols, 1)), m_nbLignes(std::max(nbLignes, 1))
    {
        // An A4 sheet, about 1 pixel for 2 mm, in the page's orientation.
        if (paysage)
            setFixedSize(150, 106);
        else
            setFixedSize(106, 150);
    }

    void SetDebut(int32_t debut)
    {
        m_debut = debut;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRectF feuille = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        p.fillRect(feuille, Qt::white);
        p.setPen(QColor(128, 128, 128));
        p.drawRect(feuille);

        const QRectF grille = feuille.adjusted(4, 4, -4, -4);
        const qreal largeur = grille.width() / m_nbCols;
        const qreal hauteur = grille.height() / m_nbLignes;
        const qreal marge = std::min({largeur, hauteur}) > 6 ? 1.0 : 0.0;
        for (int32_t k = 0; k < m_nbCols * m_nbLignes; ++k) {
            const QRectF cellule(grille.left() + (k % m_nbCols) * largeur,
                                 grille.top() + (k / m_nbCols) * hauteur, largeur, hauteur);
            const QRectF etiquette = cellule.adjusted(marge, marge, -marge, -marge);
            const bool vide = k + 1 < m_debut;
            p.fillRect(etiquette, vide ? QColor(200, 200, 200) : QColor(235, 242, 250));
            if (k + 1 == m_debut) {
                p.setPen(QPen(QColor(52, 105, 165), 2));
                p.drawRect(etiquette);
            }
        }
    }

private:
    int32_t m_nbCols;
    int32_t m_nbLignes;
    int32_t m_debut = 1;
};

TDebutPlanche::TDebutPlanche(int32_t nbCols, int32_t nbLignes, QWidget* parent, bool paysage)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Début de l'impression"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    int64_t parPage = 0;
    if (nbCols > 0 && nbLignes > 0)
        parPage = int64_t{nbCols} * nbLignes;
    const int maxi = static_cast<int>(
        std::clamp<int64_t>(parPage, 1, std::numeric_limits<int>::max()));

    auto* explication = new QLabel(
        QStringLiteral("Sur une planche déjà entamée, indiquez la première étiquette libre, en "
                       "comptant ligne par ligne depuis le coin en haut à gauche. Les étiquettes "
                       "qui la précèdent restent vides sur la première planche seulement."),
        this);
    explication->setWordWrap(true);

    edDebut = new QSpinBox(this);
    edDebut->setRange(1, maxi);
    edDebut->setValue(1);
    edDebut->setAccessibleName(QStringLiteral("Commencer à l'étiquette n°"));
    auto* formulaire = new QFormLayout;
    formulaire->addRow(QStringLiteral("Commencer à l'étiquette n° :"), edDebut);

    // A very large grid would draw nothing readable.
    const bool dessinable = parPage > 0 && parPage <= 2000;
    m_apercu = new Apercu(dessinable ? nbCols : 1, dessinable ? nbLignes : 1, paysage, this);
    m_apercu->setVisible(dessinable);

    auto* boutons = BoutonsOkAnnuler(this);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* gauche = new QVBoxLayout;
    gauche->addWidget(explication);
    gauche->addLayout(formulaire);
    gauche->addStretch(1);
    auto* haut = new QHBoxLayout;
    haut->addLayout(gauche, 1);
    haut->addWidget(m_apercu, 0, Qt::AlignTop);
    auto* mise = new QVBoxLayout(this);
    mise->addLayout(haut);
    mise->addWidget(boutons);
    setMinimumWidth(420);

    connect(edDebut, &QSpinBox::valueChanged, this,
            [this](int valeur) { m_apercu->SetDebut(valeur); });
    edDebut->setFocus();
    edDebut->selectAll();
}

int32_t TDebutPlanche::Debut() const
{
    return edDebut->value();
}

void TDebutPlanche::SetDebut(int32_t debut)
{
    edDebut->setValue(debut);
}
