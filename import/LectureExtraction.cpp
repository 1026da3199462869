#include "LectureExtraction.h"

#include "ChampsElecteurs.h"
#include "Cp1252.h"
#include "DescripteurFichier.h"
#include "Utf8.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

namespace {

bool EnCp1252(char32_t point, char& octet)
{
    if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) {
        octet = static_cast<char>(point);
        return true;
    }
    for (unsigned c = 0x80; c <= 0x9F; ++c) {
        if (DecodeCp1252(static_cast<unsigned char>(c)).unicode() == point) {
            octet = static_cast<char>(c);
            return true;
        }
    }
    return false;
}

// What stands for a character the code page lacks.
char Substitut(char32_t point)
{
    const QString texte = QString::fromUcs4(&point, 1);
    const QString decompose = texte.normalized(QString::NormalizationForm_D);
    char octet = 0;
    if (!decompose.isEmpty() && decompose.at(0).unicode() > 0x20
        && EnCp1252(decompose.at(0).unicode(), octet))
        return octet;
    // Letters with a stroke have no decomposition.
    static constexpr std::array<std::pair<char32_t, char>, 8> barrees{
        {{0x0141, 'L'}, {0x0142, 'l'}, {0x0110, 'D'}, {0x0111, 'd'}, {0x0131, 'i'},
         {0x0126, 'H'}, {0x0127, 'h'}, {0x2212, '-'}}};
    for (const auto& [lettre, remplacant] : barrees)
        if (lettre == point)
            return remplacant;
    if (QChar::isSpace(point))
        return ' ';
    if (point >= 0x2010 && point <= 0x2015)
        return '-';
    return '?';
}

// Writes the Windows-1252 form of `point` to `sortie`; replacements of one
// line are gathered into one finding.
class Convertisseur {
public:
    Convertisseur(std::string& sortie, RapportExtraction& rapport)
        : m_sortie(sortie), m_rapport(rapport) {}

    void Ecrit(char32_t point)
    {
        char octet = 0;
        if (!EnCp1252(point, octet)) {
            octet = Substitut(point);
            if (m_remplaces++ == 0)
                m_premier = QStringLiteral("« %1 » devient « %2 »")
                                .arg(QString::fromUcs4(&point, 1),
                                     DecodeCp1252(std::string_view(&octet, 1)));
        }
        m_sortie += octet;
        if (point == '\n')
            FinLigne();
    }
    void EcritOctet(char octet)
    {
        m_sortie += octet;
        if (octet == '\n')
            FinLigne();
    }
    void FinLigne()
    {
        if (m_remplaces == 1)
            m_rapport.Ajoute(m_ligne, m_premier);
        else if (m_remplaces > 1)
            m_rapport.Ajoute(m_ligne, QStringLiteral("%1, et %2 autre(s) caractère(s) sans "
                                                     "équivalent")
                                          .arg(m_premier)
                                          .arg(m_remplaces - 1));
        m_remplaces = 0;
        ++m_ligne;
    }

private:
    std::string& m_sortie;
    RapportExtraction& m_rapport;
    uint32_t m_ligne = 1;
    uint32_t m_remplaces = 0;
    QString m_premier;
};

constexpr std::string_view MarqueUtf8("\xEF\xBB\xBF");

}  // namespace

Encodage DetecteEncodage(std::string_view debut, bool tronque)
{
    if (debut.substr(0, 3) == MarqueUtf8)
        return Encodage::Utf8Marque;
    if (debut.substr(0, 2) == std::string_view("\xFF\xFE"))
        return Encodage::Utf16LE;
    if (debut.substr(0, 2) == std::string_view("\xFE\xFF"))
        return Encodage::Utf16BE;
    bool horsAscii = false;
    std::size_t position = 0;
    while (position < debut.size()) {
        char32_t point = 0;
        if (!Utf8Suivant(debut, position, point)) {
            // A sequence cut by the end of what was read is not an error.
            if (tronque && debut.size() - position < 4)
                break;
            return Encodage::Windows1252;
        }
        horsAscii = horsAscii || point >= 0x80;
    }
    return horsAscii ? Encodage::Utf8 : Encodage::Windows1252;
}

std::string ConvertitEnCp1252(std::string_view octets, Encodage encodage,
                              RapportExtraction& remplacements)
{
    std::string sortie;
    Convertisseur convertisseur(sortie, remplacements);
    if (encodage == Encodage::Windows1252)
        return std::string(octets);
    if (encodage == Encodage::Utf8 || encodage == Encodage::Utf8Marque) {
        if (encodage == Encodage::Utf8Marque)
            octets.remove_prefix(MarqueUtf8.size());
        sortie.reserve(octets.size());
        std::size_t position = 0;
        while (position < octets.size()) {
            char32_t point = 0;
            if (Utf8Suivant(octets, position, point))
                convertisseur.Ecrit(point);
            else
                convertisseur.EcritOctet(octets[position++]);
        }
    } else {
        octets.remove_prefix(2);
        sortie.reserve(octets.size() / 2);
        const bool petitBout = encodage == Encodage::Utf16LE;
        const auto unite = [&](std::size_t i) -> char16_t {
            const auto a = static_cast<unsigned char>(octets[i]);
            const auto b = static_cast<unsigned char>(octets[i + 1]);
            return static_cast<char16_t>(petitBout ? (b << 8 | a) : (a << 8 | b));
        };
        // A lone last byte is not a character and is dropped.
        for (std::size_t i = 0; i + 1 < octets.size(); i += 2) {
            const char16_t u = unite(i);
            if (QChar::isHighSurrogate(u) && i + 3 < octets.size()
                && QChar::isLowSurrogate(unite(i + 2))) {
                convertisseur.Ecrit(QChar::surrogateToUcs4(u, unite(i + 2)));
                i += 2;
            } else {
                convertisseur.Ecrit(QChar::isSurrogate(u) ? char32_t{0xFFFD} : char32_t{u});
            }
        }
    }
    convertisseur.FinLigne();
    return sortie;
}

char DetecteSeparateur(std::string_view debut)
{
    for (const char separateur : {';', ',', '\t'}) {
        TCSV entete;
        entete.FixeSeparateur(separateur);
        entete.ChargeMemoire(std::string(debut));
        std::array<int32_t, 20> index{};
        if (entete.NbRangees() > 0 && ChercheChamps(entete[0], index) < 0)
            return separateur;
    }
    return ';';
}

QString NomEncodage(Encodage encodage)
{
    switch (encodage) {
    case Encodage::Windows1252:
        return QStringLiteral("Windows-1252");
    case Encodage::Utf8:
    case Encodage::Utf8Marque:
        return QStringLiteral("UTF-8");
    case Encodage::Utf16LE:
    case Encodage::Utf16BE:
        return QStringLiteral("UTF-16");
    }
    return QString();
}

LectureExtraction ChargeExtraction(TCSV& table, const QString& chemin)
{
    LectureExtraction lecture;
    DescripteurFichier fichier = DescripteurFichier::OuvreLecture(chemin);
    if (!fichier.Valide()) {
        lecture.erreur = fichier.Erreur();
        // Through TCSV, so that its own error is set as well.
        table.Charge(std::move(fichier));
        return lecture;
    }

    const uint64_t taille = fichier.Taille();
    std::string debut(static_cast<std::size_t>(std::min<uint64_t>(taille, kTailleDebut)), '\0');
    const int64_t lus = fichier.LitDebut(debut.data(), debut.size());
    debut.resize(lus > 0 ? static_cast<std::size_t>(lus) : 0);
    lecture.encodage = DetecteEncodage(debut, taille > debut.size());

    if (lecture.encodage == Encodage::Windows1252) {
        table.FixeSeparateur(DetecteSeparateur(debut));
        lecture.chargee = table.Charge(std::move(fichier));
        lecture.erreur = table.ErreurCharge();
        return lecture;
    }

    // Converted whole in memory, then read through the same grammar.
    std::string octets(static_cast<std::size_t>(taille), '\0');
    const int64_t tous = fichier.Lire(octets.data(), octets.size());
    octets.resize(tous > 0 ? static_cast<std::size_t>(tous) : 0);
    fichier.Ferme();
    std::string texte = ConvertitEnCp1252(octets, lecture.encodage, lecture.remplacements);
    std::string().swap(octets);
    table.FixeSeparateur(
        DetecteSeparateur(std::string_view(texte).substr(0, kTailleDebut)));
    table.ChargeMemoire(std::move(texte));
    lecture.chargee = true;
    return lecture;
}

QString ConstatEntete(const TCSV& table, Encodage encodage)
{
    const VueRangee entete = table.Vue(0);
    uint64_t colonnes = 0;
    std::size_t curseur = 0;
    std::string_view cellule;
    while (entete.CelluleSuivante(curseur, cellule))
        ++colonnes;
    const QString lue = encodage == Encodage::Windows1252
        ? QString()
        : QStringLiteral(" (lue en %1)").arg(NomEncodage(encodage));
    if (colonnes <= 1)
        return QStringLiteral("La première ligne%1 ne contient qu'une colonne : son séparateur "
                              "n'est ni « ; », ni « , », ni une tabulation.")
            .arg(lue);
    const char separateur = table.Separateur();
    const QString nomSeparateur = separateur == '\t'
        ? QStringLiteral("des tabulations")
        : QStringLiteral("« %1 »").arg(QLatin1Char(separateur));
    return QStringLiteral("La première ligne%1 contient %2 colonnes séparées par %3.")
        .arg(lue)
        .arg(colonnes)
        .arg(nomSeparateur);
}
