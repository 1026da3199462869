#include "Ucsv.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char Guillemet = '"';
constexpr char CR = '\r';
constexpr char LF = '\n';

// A cell header is (length << 1 | ends-row) in little-endian base 128: one
// byte for cells under 64 bytes, and the ends-row flag is always bit 0 of the
// first byte, so it can be set after the cell was written.
std::size_t TailleEntete(uint64_t valeur)
{
    std::size_t taille = 1;
    while (valeur >= 0x80) {
        valeur >>= 7;
        ++taille;
    }
    return taille;
}

void EcritEntete(char* destination, uint64_t valeur)
{
    while (valeur >= 0x80) {
        *destination++ = static_cast<char>((valeur & 0x7F) | 0x80);
        valeur >>= 7;
    }
    *destination = static_cast<char>(valeur);
}

uint64_t LitEntete(const char* octets, std::size_t& position)
{
    uint64_t valeur = 0;
    unsigned decalage = 0;
    unsigned char octet = 0;
    do {
        octet = static_cast<unsigned char>(octets[position++]);
        valeur |= static_cast<uint64_t>(octet & 0x7F) << decalage;
        decalage += 7;
    } while (octet & 0x80);
    return valeur;
}

}  // namespace

TCSV::TCSV()
    : m_Tampon(std::make_unique<char[]>(TailleTampon))
{
    m_curseur = m_Tampon.get();
}

void TCSV::VideTable()
{
    m_nbColonnes = 0;
    m_nbRangees = 0;
    m_guillemetOuvert = false;
    // Give the memory back rather than keep the capacity of a larger file.
    m_reserveOctets.reset();
    m_tailleOctets = 0;
    m_capaciteOctets = 0;
    std::vector<uint64_t>().swap(m_Reperes);
}

bool TCSV::Charge(const QString& chemin)
{
    return Charge(DescripteurFichier::OuvreLecture(chemin));
}

bool TCSV::Charge(DescripteurFichier fichier)
{
    m_erreurCharge = fichier.Erreur();
    if (!fichier.Valide())
        return false;

    m_fichier = std::move(fichier);
    const uint64_t taille = m_fichier.Taille();
    try {
        Lire(taille);
    } catch (...) {
        m_fichier.Ferme();
        throw;
    }
    m_fichier.Ferme();
    return true;
}

void TCSV::ChargeMemoire(std::string octets)
{
    m_erreurCharge = 0;
    m_memoire = std::move(octets);
    m_positionMemoire = 0;
    m_depuisMemoire = true;
    try {
        Lire(m_memoire.size());
    } catch (...) {
        m_depuisMemoire = false;
        std::string().swap(m_memoire);
        throw;
    }
    m_depuisMemoire = false;
    std::string().swap(m_memoire);
}

void TCSV::Lire(uint64_t taille)
{
    m_finFichier = false;
    m_restant = 0;
    m_curseur = m_Tampon.get();
    VideTable();
    try {
        // The pool never needs more than the file plus one header byte per
        // 64 bytes of long cells; reserving it once avoids copies on growth.
        AgranditOctets(static_cast<std::size_t>(taille + taille / 64 + 16));
        ChargeBuf();
        Parse();
    } catch (...) {
        // Out of memory: leave an empty, consistent table behind.
        VideTable();
        throw;
    }
}

bool TCSV::ChargeBuf()
{
    if (m_finFichier)
        return false;
    m_curseur = m_Tampon.get();
    int64_t lus = 0;
    if (m_depuisMemoire) {
        lus = static_cast<int64_t>(
            std::min<std::size_t>(TailleTampon, m_memoire.size() - m_positionMemoire));
        std::memcpy(m_Tampon.get(), m_memoire.data() + m_positionMemoire,
                    static_cast<std::size_t>(lus));
        m_positionMemoire += static_cast<std::size_t>(lus);
    } else {
        lus = m_fichier.Lire(m_Tampon.get(), TailleTampon);
    }
    m_restant = static_cast<int32_t>(lus);
    if (lus < TailleTampon)
        m_finFichier = true;
    return true;
}

void TCSV::AgranditOctets(std::size_t minimum)
{
    const std::size_t capacite = std::max({minimum, 2 * m_capaciteOctets, std::size_t{64}});
    std::unique_ptr<char[]> octets(new char[capacite]);
    if (m_tailleOctets > 0)
        std::memcpy(octets.get(), m_reserveOctets.get(), m_tailleOctets);
    m_reserveOctets = std::move(octets);
    m_capaciteOctets = capacite;
}

void TCSV::Parse()
{
    enum class Etat { DebutCellule, EntreGuillemets, DansCellule };

    // The rows are built from scratch, into the pool's present capacity.
    m_tailleOctets = 0;
    m_Reperes.clear();
    m_nbColonnes = 0;
    m_nbRangees = 0;

    // The write position and the end of the pool live in locals so that the
    // compiler keeps them in registers across the byte stores.
    char* base = m_reserveOctets.get();
    char* ecriture = base + m_tailleOctets;
    char* limite = base + m_capaciteOctets;
    const char separateur = m_separateur;
    Etat etat = Etat::DebutCellule;
    std::size_t debutCellule = 0;      // offset of the open cell's header byte
    std::size_t derniereCellule = 0;   // offset of the last closed cell's header byte
    uint32_t cellulesRangee = 0;
    uint32_t rangees = 0;
    m_Reperes.push_back(m_tailleOctets);

    const auto agrandir = [&](std::size_t supplement) {
        m_tailleOctets = static_cast<std::size_t>(ecriture - base);
        AgranditOctets(m_tailleOctets + supplement);
        base = m_reserveOctets.get();
        ecriture = base + m_tailleOctets;
        limite = base + m_capaciteOctets;
    };
    const auto ajouter = [&](char octet) {
        if (ecriture == limite)
            agrandir(1);
        *ecriture++ = octet;
    };
    const auto ouvrirCellule = [&] {
        debutCellule = static_cast<std::size_t>(ecriture - base);
        ajouter(0);
    };
    const auto fermerCellule = [&] {
        const uint64_t longueur = static_cast<uint64_t>(ecriture - base) - debutCellule - 1;
        const uint64_t entete = longueur << 1;
        const std::size_t taille = TailleEntete(entete);
        if (taille > 1) {
            // Long cell: make room for the wider header in front of it.
            if (static_cast<std::size_t>(limite - ecriture) < taille - 1)
                agrandir(taille - 1);
            char* debut = base + debutCellule;
            std::memmove(debut + taille, debut + 1, static_cast<std::size_t>(longueur));
            ecriture += taille - 1;
        }
        EcritEntete(base + debutCellule, entete);
        derniereCellule = debutCellule;
        ++cellulesRangee;
    };
    const auto fermerRangee = [&] {
        base[derniereCellule] = static_cast<char>(base[derniereCellule] | 1);
        m_nbColonnes = std::max(m_nbColonnes, cellulesRangee);
        cellulesRangee = 0;
        ++rangees;
        if (rangees % RangeesParRepere == 0)
            m_Reperes.push_back(static_cast<uint64_t>(ecriture - base));
    };

    char c = 0;
    char n = 0;
    while (Get(c, n)) {
        switch (etat) {
        case Etat::DebutCellule:
            if (c == Guillemet) {
                ouvrirCellule();
                etat = Etat::EntreGuillemets;
            } else if (c == LF || (c == CR && n == LF)) {
                if (c == CR)
                    Get(c, n);
                ouvrirCellule();
                fermerCellule();
                fermerRangee();
            } else if (c == separateur) {
                ouvrirCellule();
                fermerCellule();
            } else {
                ouvrirCellule();
                ajouter(c);
                etat = Etat::DansCellule;
            }
            break;
        case Etat::DansCellule:
            if (c == LF || (c == CR && n == LF)) {
                if (c == CR)
                    Get(c, n);
                fermerCellule();
                fermerRangee();
                etat = Etat::DebutCellule;
            } else if (c == separateur) {
                fermerCellule();
                etat = Etat::DebutCellule;
            } else {
                ajouter(c);
            }
            break;
        case Etat::EntreGuillemets:
            if (c == Guillemet) {
                if (n == Guillemet) {
                    Get(c, n);
                    ajouter(Guillemet);
                } else {
                    etat = Etat::DansCellule;
                }
            } else {
                ajouter(c);
            }
            break;
        }
    }

    // An open cell ends with the input; a row ends if it holds a cell.
    m_guillemetOuvert = etat == Etat::EntreGuillemets;
    if (etat != Etat::DebutCellule)
        fermerCellule();
    if (cellulesRangee > 0)
        fermerRangee();
    m_tailleOctets = static_cast<std::size_t>(ecriture - base);
    m_nbRangees = rangees;
}

std::size_t TCSV::LitRangee(std::size_t position, Rangee* rangee) const
{
    const char* const octets = m_reserveOctets.get();
    for (;;) {
        const uint64_t entete = LitEntete(octets, position);
        const auto longueur = static_cast<std::size_t>(entete >> 1);
        if (rangee)
            rangee->emplace_back(octets + position, longueur);
        position += longueur;
        if (entete & 1)
            return position;
    }
}

std::size_t TCSV::DebutRangee(uint32_t rang) const
{
    std::size_t position = static_cast<std::size_t>(m_Reperes[rang / RangeesParRepere]);
    for (uint32_t i = rang % RangeesParRepere; i > 0; --i)
        position = LitRangee(position, nullptr);
    return position;
}

Rangee TCSV::operator[](int32_t index) const
{
    Rangee rangee;
    rangee.reserve(m_nbColonnes);
    if (index >= 0 && static_cast<uint32_t>(index) < m_nbRangees)
        LitRangee(DebutRangee(static_cast<uint32_t>(index)), &rangee);
    rangee.resize(m_nbColonnes);
    return rangee;
}

VueRangee TCSV::Vue(int32_t index) const
{
    if (index < 0 || static_cast<uint32_t>(index) >= m_nbRangees)
        return VueRangee(nullptr, 0);
    return VueRangee(m_reserveOctets.get(), DebutRangee(static_cast<uint32_t>(index)));
}

std::string_view VueRangee::operator[](uint32_t colonne) const
{
    if (m_octets == nullptr)
        return {};
    std::size_t position = m_debut;
    for (uint32_t k = 0;; ++k) {
        const uint64_t entete = LitEntete(m_octets, position);
        const auto longueur = static_cast<std::size_t>(entete >> 1);
        if (k == colonne)
            return std::string_view(m_octets + position, longueur);
        if (entete & 1)
            return {};
        position += longueur;
    }
}

bool VueRangee::CelluleSuivante(std::size_t& curseur, std::string_view& cellule) const
{
    // The cursor is 0 before the first cell, the offset of the next cell's
    // header plus one while cells are left, and SIZE_MAX after the last one.
    constexpr std::size_t Fin = static_cast<std::size_t>(-1);
    if (m_octets == nullptr || curseur == Fin)
        return false;
    std::size_t position = curseur == 0 ? m_debut : curseur - 1;
    const uint64_t entete = LitEntete(m_octets, position);
    const auto longueur = static_cast<std::size_t>(entete >> 1);
    cellule = std::string_view(m_octets + position, longueur);
    curseur = (entete & 1) ? Fin : position + longueur + 1;
    return true;
}

bool TCSV::Sauve(const QString& chemin) const
{
    DescripteurFichier fichier = DescripteurFichier::CreeEcriture(chemin);
    if (!fichier.Valide())
        return false;

    bool reussi = true;
    std::size_t position = 0;
    std::string ligne;
    Rangee rangee;
    for (uint32_t r = 0; r < m_nbRangees && reussi; ++r) {
        rangee.clear();
        position = LitRangee(position, &rangee);
        rangee.resize(m_nbColonnes);
        ligne.clear();
        for (const std::string& cellule : rangee) {
            if (!ligne.empty())
                ligne += m_separateur;
            ligne += Guillemet;
            for (const char octet : cellule) {
                if (octet == Guillemet)
                    ligne += Guillemet;
                ligne += octet;
            }
            ligne += Guillemet;
        }
        ligne += "\r\n";
        reussi = fichier.Ecrire(ligne.data(), ligne.size());
    }
    return reussi;
}

std::size_t TCSV::MemoireOccupee() const
{
    return m_capaciteOctets + m_Reperes.capacity() * sizeof(uint64_t)
        + static_cast<std::size_t>(TailleTampon);
}
