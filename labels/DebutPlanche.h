#pragma once
// Where each voter lands on the sheets: the labels of every sheet are filled
// row by row, left to right, the voters taken in print order. On a sheet
// already partly used the user names the first free label: the labels before
// it stay blank on the first sheet only, and pages still count from that
// first sheet.

#include <cstdint>
#include <vector>

// Whether `debut` names a label of a sheet of `parPage` labels: 1 to parPage.
bool DebutValide(int64_t parPage, int64_t debut);

class RepartitionEtiquettes {
public:
    // The voters are the table's rows 1 to nbRangees − 1, in file order.
    // `parPage` is the labels of one sheet (EtiquettesParPage); `debut`, the
    // first label used on the first sheet, counted from 1, is brought into
    // 1 to parPage.
    RepartitionEtiquettes(int64_t parPage, uint32_t nbRangees, int64_t debut = 1);
    // The voters are the table rows of `ordre`, in that order (OrdreParClasse).
    RepartitionEtiquettes(int64_t parPage, std::vector<int32_t> ordre, int64_t debut = 1);

    int64_t EtiquettesParPage() const { return m_parPage; }
    int64_t Debut() const { return m_debut; }
    // Labels left blank at the start of the first sheet: Debut() − 1.
    int64_t CellulesVides() const { return m_debut - 1; }
    int64_t NombreElecteurs() const { return m_nbElecteurs; }

    // Sheets needed for the blank labels and the voters, rounded up; 0 when
    // there is no voter or the sheet has no label.
    int32_t NombrePages() const;

    // The table row printed in label `cellule` (from 0, row by row) of page
    // `page` (from 1), or −1 when that label stays blank: before the start
    // on the first sheet, after the last voter, or outside the sheet.
    int32_t Rangee(int32_t page, int64_t cellule) const;

private:
    int64_t m_parPage = 0;
    int64_t m_debut = 1;
    int64_t m_nbElecteurs = 0;
    std::vector<int32_t> m_ordre;  // empty: file order
};
