#include "GenerateurExtraction.h"

#include <fstream>

#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

// The word lists below are written in UTF-8 for readability and converted
// once to Windows-1252: Latin-1 letters keep their code, the ligatures and the
// typographic apostrophe take theirs from the 0x80 row.
std::string VersCp1252(std::string_view utf8)
{
    std::string resultat;
    resultat.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto octet = static_cast<unsigned char>(utf8[i]);
        if (octet < 0x80) {
            resultat += static_cast<char>(octet);
            continue;
        }
        uint32_t point = 0;
        if ((octet & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            point = ((octet & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            i += 1;
        } else if ((octet & 0xF0) == 0xE0 && i + 2 < utf8.size()) {
            point = ((octet & 0x0Fu) << 12)
                | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6)
                | (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
            i += 2;
        }
        if (point >= 0xA0 && point <= 0xFF)
            resultat += static_cast<char>(point);
        else if (point == 0x0152)
            resultat += '\x8C';
        else if (point == 0x0153)
            resultat += '\x9C';
        else if (point == 0x2019)
            resultat += '\x92';
        else
            resultat += '?';
    }
    return resultat;
}

std::vector<std::string> Liste(std::initializer_list<std::string_view> mots)
{
    std::vector<std::string> liste;
    liste.reserve(mots.size());
    for (const std::string_view mot : mots)
        liste.push_back(VersCp1252(mot));
    return liste;
}

// splitmix64: small, fast, and the same sequence on every platform.
class Alea {
public:
    explicit Alea(uint32_t graine) : m_etat(graine) {}

    uint32_t Suivant()
    {
        m_etat += 0x9E3779B97F4A7C15ull;
        uint64_t z = m_etat;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }
    uint32_t Entre(uint32_t nombre) { return Suivant() % nombre; }
    bool Chance(uint32_t pourcent) { return Entre(100) < pourcent; }
    const std::string& Parmi(const std::vector<std::string>& liste)
    {
        return liste[Entre(static_cast<uint32_t>(liste.size()))];
    }

private:
    uint64_t m_etat;
};

struct Vocabulaire {
    std::vector<std::string> entete = Liste({
        "civilité responsable", "nom responsable", "prénom responsable",
        "lien de parenté", "adresse responsable", "cp responsable",
        "commune responsable", "pays responsable", "téléphone domicile",
        "téléphone portable", "courriel responsable", "nom enfant 1",
        "prénom enfant 1", "date naissance enfant 1", "niveau enfant 1",
        "classe enfant 1", "nom enfant 2", "prénom enfant 2",
        "classe enfant 2", "observations"});
    std::vector<std::string> civilites = Liste({"M.", "Mme", "Mme", "M.", "Mlle"});
    std::vector<std::string> noms = Liste({
        "MARTIN", "BERNARD", "DUBOIS", "THOMAS", "ROBERT", "RICHARD", "PETIT",
        "DURAND", "LEROY", "MOREAU", "SIMON", "LAURENT", "LEFÈVRE", "MICHEL",
        "GARCIA", "DAVID", "BERTRAND", "ROUX", "VINCENT", "FOURNIER", "MOREL",
        "GIRARD", "ANDRÉ", "MERCIER", "DUPONT", "LAMBERT", "BONNET", "FRANÇOIS",
        "MARTINEZ", "LEGRAND", "GARNIER", "FAURE", "ROUSSEAU", "BLANC", "GUÉRIN",
        "MULLER", "HENRY", "ROUSSEL", "NICOLAS", "PERRIN", "MÉNARD", "BOUCHÉ",
        "CHÂTELAIN", "LŒUILLET", "NOËL", "HÉBERT", "DE LA FONTAINE", "N’DIAYE"});
    std::vector<std::string> prenoms = Liste({
        "Jean", "Hélène", "François", "Zoé", "Cécile", "Jérôme", "Noël", "Anaïs",
        "Gaëlle", "Bérénice", "Loïc", "Maëlle", "Léa", "Chloé", "Raphaël",
        "Inès", "Clémence", "Mathéo", "Amélie", "Stéphane", "Frédéric", "Céline",
        "Sébastien", "Aurélie", "Benoît", "Joël", "Océane", "Thaïs", "Nathalie",
        "Pierre", "Marie", "Sophie", "Nicolas", "Julien", "Emma", "Louis", "Hugo",
        "Jade", "Lucas", "Manon", "Éloïse", "Étienne", "Irène", "Björn"});
    std::vector<std::string> liens = Liste({"Mère", "Père", "Mère", "Père", "Tuteur", "Autre membre de la famille"});
    std::vector<std::string> voies = Liste({
        "rue de l’Église", "avenue Jean Jaurès", "place de la République",
        "chemin des Prés", "boulevard Émile Zola", "impasse des Érables",
        "rue Victor Hugo", "allée des Peupliers", "rue du Général de Gaulle",
        "quai Saint-Vincent", "route de Châteauneuf", "cours Lafayette",
        "rue des Écoles", "montée de la Grande Côte", "rue Pasteur"});
    std::vector<std::string> complements = Liste({
        "Résidence Les Érables, bât. C", "Appartement 12; 3e étage",
        "Chez M. et Mme Dupré", "Escalier B; porte gauche", "Lieu-dit Les Côtes"});
    std::vector<std::string> communes = Liste({
        "LYON", "VILLEURBANNE", "SAINT-ÉTIENNE", "ÉCULLY", "CALUIRE-ET-CUIRE",
        "VÉNISSIEUX", "BRON", "OULLINS", "SAINTE-FOY-LÈS-LYON", "TASSIN-LA-DEMI-LUNE",
        "CHAMPAGNE-AU-MONT-D’OR", "L’ARBRESLE", "GRÉZIEU-LA-VARENNE", "ÉCHIROLLES"});
    std::vector<std::string> niveaux = Liste({"CP", "CE1", "CE2", "CM1", "CM2"});
    std::vector<std::string> maitres = Liste({"Mme Durand", "M. Lefèvre", "Mme Noël", "M. Gérard", "Mme Bézier"});
    std::vector<std::string> observations = Liste({
        "Courrier à adresser aux deux parents", "Ne pas envoyer de courrier; voir dossier",
        "Dit \"Lulu\" à l’école", "Garde alternée", "Adresse à vérifier",
        "Élève arrivé en cours d’année"});
};

// Windows-1252 name to the letters of an e-mail address: accents dropped,
// blanks, hyphens and apostrophes left out.
std::string EnMinusculesAscii(const std::string& texte)
{
    // Base letters of 0xC0..0xFF; '_' marks the signs that are not letters.
    static constexpr char kSansAccent[] =
        "aaaaaaaceeeeiiiidnooooo_ouuuuy_saaaaaaaceeeeiiiidnooooo_ouuuuy_y";
    std::string resultat;
    for (const char c : texte) {
        const auto octet = static_cast<unsigned char>(c);
        if (c >= 'A' && c <= 'Z')
            resultat += static_cast<char>(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            resultat += c;
        else if (octet == 0x8C || octet == 0x9C)
            resultat += "oe";
        else if (octet >= 0xC0 && kSansAccent[octet - 0xC0] != '_')
            resultat += kSansAccent[octet - 0xC0];
    }
    return resultat;
}

// Appends one cell; quotes it when its bytes require it or when `guillemets`.
void AjouteCellule(std::string& ligne, bool premiere, const std::string& texte, bool guillemets)
{
    if (!premiere)
        ligne += ';';
    const bool requis = texte.find_first_of(";\"\r\n") != std::string::npos;
    if (!requis && !guillemets) {
        ligne += texte;
        return;
    }
    ligne += '"';
    for (const char c : texte) {
        if (c == '"')
            ligne += '"';
        ligne += c;
    }
    ligne += '"';
}

std::string Telephone(Alea& alea, const char* prefixe)
{
    // Drawn one statement at a time: the order of evaluation of function
    // arguments is unspecified, and the output must not depend on the compiler.
    std::string numero = prefixe;
    for (int i = 0; i < 4; ++i) {
        char tampon[8];
        std::snprintf(tampon, sizeof tampon, " %02u", alea.Entre(100));
        numero += tampon;
    }
    return numero;
}

}  // namespace

std::string GenereExtraction(int nbElecteurs, uint32_t graine)
{
    const Vocabulaire mots;
    Alea alea(graine);
    std::string resultat;
    resultat.reserve(static_cast<std::size_t>(nbElecteurs > 0 ? nbElecteurs : 0) * 260 + 400);

    std::string ligne;
    for (std::size_t k = 0; k < mots.entete.size(); ++k)
        AjouteCellule(ligne, k == 0, mots.entete[k], k % 3 == 0);
    resultat += ligne;
    resultat += "\r\n";

    std::array<std::string, NbColonnesExtraction> cellules;
    for (int e = 0; e < nbElecteurs; ++e) {
        const std::string& nom = alea.Parmi(mots.noms);
        const std::string& prenom = alea.Parmi(mots.prenoms);
        const std::string& niveau = alea.Parmi(mots.niveaux);
        char tampon[64];

        cellules[0] = alea.Parmi(mots.civilites);
        cellules[1] = nom;
        cellules[2] = prenom;
        cellules[3] = alea.Parmi(mots.liens);
        const uint32_t numero = 1 + alea.Entre(180);
        const bool bis = alea.Chance(8);
        std::snprintf(tampon, sizeof tampon, "%u%s ", numero, bis ? " bis" : "");
        cellules[4] = tampon + alea.Parmi(mots.voies);
        if (alea.Chance(12)) {
            cellules[4] += alea.Chance(50) ? "\r\n" : ", ";
            cellules[4] += alea.Parmi(mots.complements);
        }
        std::snprintf(tampon, sizeof tampon, "%05u", 1000 + alea.Entre(94000));
        cellules[5] = tampon;
        cellules[6] = alea.Parmi(mots.communes);
        cellules[7] = alea.Chance(70) ? "FRANCE" : "";
        cellules[8] = alea.Chance(60) ? Telephone(alea, "04") : "";
        cellules[9] = alea.Chance(85) ? Telephone(alea, alea.Chance(50) ? "06" : "07") : "";
        cellules[10] = alea.Chance(75)
            ? EnMinusculesAscii(prenom) + "." + EnMinusculesAscii(nom) + "@exemple.fr"
            : "";
        cellules[11] = alea.Chance(85) ? nom : alea.Parmi(mots.noms);
        cellules[12] = alea.Parmi(mots.prenoms);
        const uint32_t jour = 1 + alea.Entre(28);
        const uint32_t mois = 1 + alea.Entre(12);
        const uint32_t annee = 2013 + alea.Entre(7);
        std::snprintf(tampon, sizeof tampon, "%02u/%02u/%u", jour, mois, annee);
        cellules[13] = tampon;
        cellules[14] = niveau;
        cellules[15] = alea.Chance(30) ? niveau + " " + alea.Parmi(mots.maitres) : niveau;
        const bool deuxEnfants = alea.Chance(35);
        cellules[16] = deuxEnfants ? cellules[11] : "";
        cellules[17] = deuxEnfants ? alea.Parmi(mots.prenoms) : "";
        cellules[18] = deuxEnfants ? alea.Parmi(mots.niveaux) : "";
        cellules[19] = alea.Chance(10) ? alea.Parmi(mots.observations) : "";

        // Some exporting tools quote every text cell of a line.
        const bool toutEntreGuillemets = alea.Chance(15);
        ligne.clear();
        for (std::size_t k = 0; k < cellules.size(); ++k)
            AjouteCellule(ligne, k == 0, cellules[k], toutEntreGuillemets && !cellules[k].empty());
        resultat += ligne;
        resultat += "\r\n";
    }
    return resultat;
}

bool EcritFichier(const std::string& chemin, const std::string& octets)
{
    std::ofstream sortie(chemin, std::ios::binary | std::ios::trunc);
    sortie.write(octets.data(), static_cast<std::streamsize>(octets.size()));
    sortie.close();
    return static_cast<bool>(sortie);
}
