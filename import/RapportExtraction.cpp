#include "RapportExtraction.h"

#include "ChampsElecteurs.h"

#include <algorithm>

void RapportExtraction::Ajoute(uint32_t ligne, const QString& texte)
{
    ++m_nombre;
    if (m_anomalies.size() < kGardees)
        m_anomalies.push_back({ligne, texte});
}

void RapportExtraction::Ajoute(const RapportExtraction& autre)
{
    // Each side keeps its first findings in line order, so the first
    // kGardees of the union are among those kept.
    for (const Anomalie& anomalie : autre.m_anomalies)
        if (m_anomalies.size() < 2 * kGardees)
            m_anomalies.push_back(anomalie);
    m_nombre += autre.m_nombre;
    m_vides += autre.m_vides;
}

QStringList RapportExtraction::Lignes(std::size_t maximum) const
{
    std::vector<Anomalie> triees = m_anomalies;
    std::stable_sort(triees.begin(), triees.end(),
                     [](const Anomalie& a, const Anomalie& b) { return a.ligne < b.ligne; });
    QStringList lignes;
    for (std::size_t i = 0; i < triees.size() && i < maximum; ++i)
        lignes << QStringLiteral("ligne %1 : %2")
                      .arg(QString::number(triees[i].ligne), triees[i].texte);
    const uint64_t montrees = static_cast<uint64_t>(lignes.size());
    if (m_nombre > montrees)
        lignes << QStringLiteral("et %1 autres").arg(m_nombre - montrees);
    return lignes;
}

namespace {

bool Blanc(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Required names found in more than one header cell: the leftmost is read.
void VerifieEntete(const TCSV& table, RapportExtraction& rapport)
{
    const VueRangee entete = table.Vue(0);
    for (const QString& nom : ChampsRequis()) {
        QStringList colonnes;
        std::size_t curseur = 0;
        std::string_view cellule;
        for (uint32_t k = 1; entete.CelluleSuivante(curseur, cellule); ++k)
            if (CorrespondChamp(cellule, nom))
                colonnes << QString::number(k);
        if (colonnes.size() > 1)
            rapport.Ajoute(1, QStringLiteral("« %1 » nomme %2 colonnes de l'en-tête (colonnes "
                                             "%3) : seule la colonne %4 est lue")
                                  .arg(nom)
                                  .arg(colonnes.size())
                                  .arg(colonnes.join(QStringLiteral(", ")), colonnes.front()));
    }
}

}  // namespace

RapportExtraction VerifieRangees(const TCSV& table)
{
    RapportExtraction rapport;
    if (table.NbRangees() == 0)
        return rapport;
    VerifieEntete(table, rapport);

    uint32_t ligne = 1;              // where the current row starts in the file
    uint64_t cellulesEntete = 0;
    uint32_t ligneDerniereCellule = 1;
    for (uint32_t r = 0; r < table.NbRangees(); ++r) {
        const VueRangee rangee = table.Vue(static_cast<int32_t>(r));
        uint64_t cellules = 0;
        uint32_t sauts = 0;  // line feeds inside the row's cells
        uint32_t ligneNul = 0;
        bool vide = true;
        std::size_t curseur = 0;
        std::string_view cellule;
        while (rangee.CelluleSuivante(curseur, cellule)) {
            ++cellules;
            ligneDerniereCellule = ligne + sauts;
            for (const char c : cellule) {
                if (c == '\n')
                    ++sauts;
                else if (c == '\0' && ligneNul == 0)
                    ligneNul = ligne + sauts;
                vide = vide && Blanc(c);
            }
        }
        if (r == 0) {
            cellulesEntete = cellules;
        } else {
            if (ligneNul != 0)
                rapport.Ajoute(ligneNul, QStringLiteral("octet nul dans une cellule"));
            if (vide) {
                rapport.CompteElecteurVide();
                rapport.Ajoute(ligne, QStringLiteral("électeur vide (son étiquette sera blanche)"));
            } else if (cellules != cellulesEntete) {
                rapport.Ajoute(ligne, QStringLiteral("%1 cellule(s) au lieu des %2 de l'en-tête")
                                          .arg(cellules)
                                          .arg(cellulesEntete));
            }
        }
        ligne += sauts + 1;
    }
    if (table.GuillemetOuvert())
        rapport.Ajoute(ligneDerniereCellule, QStringLiteral("guillemet ouvert jusqu'à la fin du "
                                                            "fichier (fichier coupé ?)"));
    return rapport;
}

QString MessageRapport(const RapportExtraction& rapport, std::size_t maximum)
{
    return QStringLiteral("Lignes à vérifier dans le fichier :\n")
        + rapport.Lignes(maximum).join(QLatin1Char('\n'));
}
