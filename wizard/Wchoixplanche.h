#pragma once
// Choosing a label sheet sold in France by its maker and reference: the user
// types part of either ("L7160", "herma 4457") and picks one sheet from the
// filtered list. OK (or Enter, or a double click) gives the chosen sheet.

#include "CataloguePlanches.h"

#include <QDialog>

#include <optional>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

class TChoixPlanche : public QDialog {
    Q_OBJECT

public:
    // The catalogue must outlive the dialog.
    explicit TChoixPlanche(QWidget* parent = nullptr,
                           const CataloguePlanches& catalogue = CataloguePlanchesA4());

    // The sheet selected in the list; nothing when none is.
    std::optional<Planche> PlancheChoisie() const;

    QLineEdit* edRecherche = nullptr;
    QTreeWidget* lvPlanches = nullptr;
    QLabel* lbNombre = nullptr;
    QDialogButtonBox* boutons = nullptr;

private:
    void FiltrePlanches();
    void SelectionChangee();

    const CataloguePlanches& m_catalogue;
    std::vector<const Planche*> m_affichees;
};
