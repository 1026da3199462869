#pragma once
// What is wrong in an extraction that still loads: rows that do not match the
// header, a quote left open, NUL bytes, empty voters, required columns named
// twice, characters the conversion replaced. Each finding names its line of
// the file, so the user can mend the file; reading goes on as the grammar says.

#include "Ucsv.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <vector>

class RapportExtraction {
public:
    // Findings kept to be shown; beyond them only the count grows.
    static constexpr std::size_t kGardees = 1000;

    void Ajoute(uint32_t ligne, const QString& texte);
    void Ajoute(const RapportExtraction& autre);

    bool Vide() const { return m_nombre == 0; }
    uint64_t Nombre() const { return m_nombre; }
    // Voters whose cells are all empty or blank (they still take a label).
    uint64_t ElecteursVides() const { return m_vides; }
    void CompteElecteurVide() { ++m_vides; }

    // "ligne N : ..." in line order, at most `maximum` of them, then
    // "et N autres" for the rest.
    QStringList Lignes(std::size_t maximum) const;

private:
    struct Anomalie {
        uint32_t ligne;
        QString texte;
    };
    std::vector<Anomalie> m_anomalies;
    uint64_t m_nombre = 0;
    uint64_t m_vides = 0;
};

// Checks the loaded table against its header row (row 0): duplicated
// required column names, voter rows whose own cell count differs from the
// header's (a stray quote that melts voters into one row gives one), empty
// voters, NUL bytes, and a quote still open at the end of the file. A quoted
// cell over several lines is no fault: addresses may hold line breaks. Line
// numbers are those of the file, counted by line feeds, a quoted cell's line
// breaks included.
RapportExtraction VerifieRangees(const TCSV& table);

// The one message the window shows: a title line, then the first `maximum`
// findings.
QString MessageRapport(const RapportExtraction& rapport, std::size_t maximum);
