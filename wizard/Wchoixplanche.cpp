#include "Wchoixplanche.h"

#include "BoutonsDialogue.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Colonne { ColMarque, ColReference, ColDescription, ColTaille, ColNombre, NbColonnesListe };

// Up and Down in the search field move in the list, so the keyboard alone
// can type, pick and confirm.
class FlechesVersListe : public QObject {
public:
    FlechesVersListe(QTreeWidget* liste, QObject* parent) : QObject(parent), m_liste(liste) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::KeyPress) {
            const int touche = static_cast<QKeyEvent*>(evenement)->key();
            if (touche == Qt::Key_Up || touche == Qt::Key_Down || touche == Qt::Key_PageUp
                || touche == Qt::Key_PageDown) {
                QKeyEvent copie(QEvent::KeyPress, touche, Qt::NoModifier);
                QCoreApplication::sendEvent(m_liste, &copie);
                return true;
            }
        }
        return QObject::eventFilter(objet, evenement);
    }

private:
    QTreeWidget* m_liste;
};

}  // namespace

TChoixPlanche::TChoixPlanche(QWidget* parent, const CataloguePlanches& catalogue)
    : QDialog(parent), m_catalogue(catalogue)
{
    setWindowTitle(QStringLiteral("Choisir une planche du commerce"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(640, 440);

    auto* invite = new QLabel(QStringLiteral("Marque ou référence de la planche (elle est "
                                             "imprimée sur la boîte) :"),
                              this);
    edRecherche = new QLineEdit(this);
    edRecherche->setAccessibleName(QStringLiteral("Marque ou référence"));
    edRecherche->setPlaceholderText(QStringLiteral("par exemple : L7160, herma 4457"));
    edRecherche->setClearButtonEnabled(true);
    invite->setBuddy(edRecherche);

    lvPlanches = new QTreeWidget(this);
    lvPlanches->setAccessibleName(QStringLiteral("Planches"));
    lvPlanches->setColumnCount(NbColonnesListe);
    lvPlanches->setHeaderLabels({QStringLiteral("Marque"), QStringLiteral("Référence"),
                                 QStringLiteral("Description"), QStringLiteral("Étiquette"),
                                 QStringLiteral("Par planche")});
    lvPlanches->setRootIsDecorated(false);
    lvPlanches->setUniformRowHeights(true);
    lvPlanches->setAllColumnsShowFocus(true);
    lvPlanches->setSelectionMode(QAbstractItemView::SingleSelection);
    lvPlanches->header()->setStretchLastSection(false);
    lvPlanches->header()->setSectionResizeMode(ColDescription, QHeaderView::Stretch);

    lbNombre = new QLabel(this);

    boutons = BoutonsOkAnnuler(this);

    auto* mise = new QVBoxLayout(this);
    mise->addWidget(invite);
    mise->addWidget(edRecherche);
    mise->addWidget(lvPlanches, 1);
    mise->addWidget(lbNombre);
    mise->addWidget(boutons);

    edRecherche->installEventFilter(new FlechesVersListe(lvPlanches, this));
    connect(edRecherche, &QLineEdit::textChanged, this, [this] { FiltrePlanches(); });
    connect(lvPlanches, &QTreeWidget::itemSelectionChanged, this, [this] { SelectionChangee(); });
    connect(lvPlanches, &QTreeWidget::itemActivated, this, [this] {
        if (PlancheChoisie())
            accept();
    });
    connect(boutons, &QDialogButtonBox::accepted, this, [this] {
        if (PlancheChoisie())
            accept();
    });
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    FiltrePlanches();
    for (int c = 0; c < NbColonnesListe; ++c) {
        if (c != ColDescription)
            lvPlanches->resizeColumnToContents(c);
    }
    edRecherche->setFocus();
}

std::optional<Planche> TChoixPlanche::PlancheChoisie() const
{
    QTreeWidgetItem* element = lvPlanches->currentItem();
    if (element == nullptr || !element->isSelected())
        return std::nullopt;
    const int index = lvPlanches->indexOfTopLevelItem(element);
    if (index < 0 || static_cast<size_t>(index) >= m_affichees.size())
        return std::nullopt;
    return *m_affichees[static_cast<size_t>(index)];
}

void TChoixPlanche::FiltrePlanches()
{
    m_affichees = m_catalogue.Filtre(edRecherche->text());
    QList<QTreeWidgetItem*> elements;
    elements.reserve(static_cast<qsizetype>(m_affichees.size()));
    for (const Planche* p : m_affichees) {
        auto* element = new QTreeWidgetItem(QStringList{
            p->Marque, p->Reference, p->Description, TailleEtiquetteMm(*p),
            QString::number(p->EtiquettesParPlanche())});
        element->setTextAlignment(ColNombre, Qt::AlignRight | Qt::AlignVCenter);
        elements << element;
    }
    lvPlanches->clear();
    lvPlanches->addTopLevelItems(elements);

    const auto n = m_affichees.size();
    if (n == 0)
        lbNombre->setText(QStringLiteral("Aucune planche ne correspond."));
    else if (n == 1)
        lbNombre->setText(QStringLiteral("1 planche"));
    else
        lbNombre->setText(QStringLiteral("%1 planches").arg(n));

    // The best match is ready for Enter.
    if (!elements.isEmpty())
        lvPlanches->setCurrentItem(elements.front());
    SelectionChangee();
}

void TChoixPlanche::SelectionChangee()
{
    boutons->button(QDialogButtonBox::Ok)->setEnabled(PlancheChoisie().has_value());
}
