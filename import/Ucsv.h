#pragma once
// TCSV: a table of 8-bit text cells read from a delimited file (";" by
// default, cells optionally enclosed in double quotes, lines ended by LF or
// CR LF). Cells are raw bytes in the file's code page, NUL bytes included.
//
// The file is read through a fixed 16384-byte buffer and handed out one byte
// at a time with one byte of look-ahead (Get), which a three-state parser
// consumes (Parse). Row 0 is an ordinary row; every row reads as NbColonnes()
// cells after a load, NbRangees() counts all rows.
//
// Storage: the cells of all rows sit one after the other in one byte pool,
// each preceded by a variable-length header holding its length and whether it
// ends its row. Short rows are not padded in memory; operator[] pads the copy
// it hands out. A start offset is kept for every 16th row, so a row is found
// by skipping at most 15 rows. The pool is sized from the file once, so the
// whole table takes little more than the file itself for an ordinary
// extraction, and stays within 4 times the file for any input.

#include "DescripteurFichier.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using Rangee = std::vector<std::string>;

class TCSV;

// One row of a TCSV read in place, without copying it: cell k is a view of
// the table's bytes, valid until the table is loaded again or destroyed.
// Cells past the row's own end read as empty, as operator[] pads them. Each
// access walks the row's cells up to the one asked for.
class VueRangee {
public:
    std::string_view operator[](uint32_t colonne) const;
    // The row's own cells in order, without padding: start with `curseur`
    // at 0; false once the last cell was given (a row outside the table has
    // none).
    bool CelluleSuivante(std::size_t& curseur, std::string_view& cellule) const;

private:
    friend class TCSV;
    VueRangee(const char* octets, std::size_t debut) : m_octets(octets), m_debut(debut) {}

    const char* m_octets = nullptr;  // null: a row outside the table
    std::size_t m_debut = 0;
};

class TCSV {
public:
    static constexpr int32_t TailleTampon = 16384;

    TCSV();
    TCSV(const TCSV&) = delete;
    TCSV& operator=(const TCSV&) = delete;

    // Replaces the table with the file's contents. False, with the previous
    // table kept, when the file cannot be opened: missing, not a regular file,
    // unreadable, or held by another program.
    bool Charge(const QString& chemin);
    // The same from a file already open for reading (read from its start).
    bool Charge(DescripteurFichier fichier);
    // The same from bytes held in memory, read through the same buffer.
    void ChargeMemoire(std::string octets);
    // Why the last Charge returned false, as an errno value (see
    // DescripteurFichier::Erreur); 0 after a load that succeeded.
    int ErreurCharge() const { return m_erreurCharge; }
    // Writes every cell quoted, rows ended by CR LF. False if the file cannot
    // be created or a write fails; lines already written stay in the file.
    bool Sauve(const QString& chemin) const;

    // Refills the buffer from the open file (or the bytes in memory); false
    // once the end was reached.
    bool ChargeBuf();
    // Next byte of the file in `c` and the byte after it in `suivant` (0 after
    // the last byte). The look-ahead is not consumed. False when no byte is left.
    inline bool Get(char& c, char& suivant);
    // Reads the open file through Get and builds the rows.
    void Parse();

    // Copy of row `index`, NbColonnes() cells. An index outside the table
    // gives NbColonnes() empty cells.
    Rangee operator[](int32_t index) const;
    // Row `index` read in place; a row outside the table has only empty
    // cells. For a caller that wants a few cells of many rows: no copy, and
    // no padding to NbColonnes().
    VueRangee Vue(int32_t index) const;

    char Separateur() const { return m_separateur; }
    // The separator of the next loads: a file re-saved by a spreadsheet may
    // use "," or a tab instead of ";".
    void FixeSeparateur(char separateur) { m_separateur = separateur; }
    // The last load ended inside a quoted cell: a quote was left open.
    bool GuillemetOuvert() const { return m_guillemetOuvert; }
    uint32_t NbColonnes() const { return m_nbColonnes; }
    uint32_t NbRangees() const { return m_nbRangees; }

    // Bytes held by the table and the read buffer (capacities, not sizes).
    std::size_t MemoireOccupee() const;

private:
    static constexpr uint32_t RangeesParRepere = 16;

    void VideTable();
    // Reads the source (file or memory) of size `taille` into the table.
    void Lire(uint64_t taille);
    // Where row `rang` (< NbRangees()) starts in the pool.
    std::size_t DebutRangee(uint32_t rang) const;
    // Appends the cells of the row starting at `position` to `rangee` and
    // returns the position of the next row.
    std::size_t LitRangee(std::size_t position, Rangee* rangee) const;

    char m_separateur = ';';
    uint32_t m_nbColonnes = 0;
    uint32_t m_nbRangees = 0;
    // Makes room for at least `minimum` bytes in the pool, keeping its contents.
    void AgranditOctets(std::size_t minimum);

    // The rows: cell headers and bytes (m_tailleOctets of m_capaciteOctets
    // used), and the start of every 16th row.
    std::unique_ptr<char[]> m_reserveOctets;
    std::size_t m_tailleOctets = 0;
    std::size_t m_capaciteOctets = 0;
    std::vector<uint64_t> m_Reperes;
    std::unique_ptr<char[]> m_Tampon;
    DescripteurFichier m_fichier;
    char* m_curseur = nullptr;
    int32_t m_restant = 0;
    bool m_finFichier = false;
    int m_erreurCharge = 0;
    bool m_guillemetOuvert = false;
    // Bytes read instead of the file when loading from memory.
    std::string m_memoire;
    std::size_t m_positionMemoire = 0;
    bool m_depuisMemoire = false;
};

inline bool TCSV::Get(char& c, char& suivant)
{
    bool recharge = false;
    if (m_restant <= 0) {
        ChargeBuf();
        recharge = true;
        if (m_restant <= 0) {
            c = 0;
            suivant = 0;
            return false;
        }
    }
    c = *m_curseur++;
    --m_restant;
    if (m_restant > 0) {
        suivant = *m_curseur;
    } else if (!recharge) {
        ChargeBuf();
        suivant = m_restant > 0 ? *m_curseur : 0;
    } else {
        suivant = 0;
    }
    return true;
}
