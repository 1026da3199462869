#pragma once
// The extraction the labels are printed from, without any window: the table,
// the positions of the required columns (IndexChamps), how the file was read
// and where its check stands. Loading, the check of the columns and the
// refusals before printing live here, so the main window, brivane-pdf and
// the tests go through the same steps.

#include "ImpressionEtiquettes.h"
#include "LectureExtraction.h"
#include "RapportExtraction.h"
#include "Ucsv.h"

#include <QString>

#include <cstdint>

struct Parametres;

class ExtractionChargee {
public:
    enum class Etat {
        NonDefini,      // no file loaded yet
        Illisible,      // the file could not be read: Erreur() says why
        ChampManquant,  // a required column is missing: ChampManquant() says which
        SansElecteur,   // loaded, but no voter row to check or print
        Prete,          // every column found, NbElecteurs() voters to print
    };

    // How an extraction without voter is refused: as not loaded (the
    // window, whose status light stays off) or as an incorrect extraction
    // (brivane-pdf, which names the fault).
    enum class RefusSansElecteur { NonChargee, Incorrecte };

    ExtractionChargee() = default;
    ExtractionChargee(const ExtractionChargee&) = delete;
    ExtractionChargee& operator=(const ExtractionChargee&) = delete;

    // Loads the file (encoding and separator recognised) and checks it.
    // False when it cannot be read: a table loaded earlier then stays, and
    // its state with it; with none, the state becomes Illisible. An error
    // half way (out of memory) leaves the state Illisible and goes on up.
    bool Charge(const QString& chemin);
    // Looks again for the required columns in the loaded table's header;
    // a table without voter is not looked at.
    Etat Analyse();

    Etat EtatCourant() const { return m_etat; }
    bool Prete() const { return m_etat == Etat::Prete; }
    // errno value of the last load that failed, 0 after one that worked.
    int Erreur() const { return m_erreur; }
    // Index of the first missing required column, -1 when none is.
    int ChampManquant() const { return m_manquant; }
    uint32_t NbElecteurs() const;

    TCSV& Table() { return m_table; }
    const TCSV& Table() const { return m_table; }
    TableIndexChamps& IndexChamps() { return m_indexChamps; }
    const TableIndexChamps& IndexChamps() const { return m_indexChamps; }
    // The encoding and the characters replaced by the last load that worked.
    const LectureExtraction& Lecture() const { return m_lecture; }

    // The missing column named, then what the header row holds.
    QString MessageChampManquant() const;
    // The rows that would print wrong labels, the replaced characters included.
    RapportExtraction Verification() const;
    // Why the labels may not be printed in format `p` (see RefusImpression
    // in ImpressionEtiquettes.h); empty when they may.
    QString RefusImpression(const Parametres& p, RefusSansElecteur sansElecteur) const;

private:
    TCSV m_table;
    TableIndexChamps m_indexChamps{};
    LectureExtraction m_lecture;
    Etat m_etat = Etat::NonDefini;
    int m_erreur = 0;
    int m_manquant = -1;
};
