#include "ExtractionChargee.h"

#include "ChampsElecteurs.h"
#include "Parametres.h"

#include <utility>

bool ExtractionChargee::Charge(const QString& chemin)
{
    LectureExtraction lecture;
    try {
        lecture = ChargeExtraction(m_table, chemin);
    } catch (...) {
        // The table is gone half way, so is its check; the error says why.
        m_etat = Etat::Illisible;
        throw;
    }
    if (!lecture.chargee) {
        m_erreur = lecture.erreur;
        if (m_etat == Etat::NonDefini || m_etat == Etat::Illisible)
            m_etat = Etat::Illisible;
        return false;
    }
    m_lecture = std::move(lecture);
    m_erreur = 0;
    Analyse();
    return true;
}

ExtractionChargee::Etat ExtractionChargee::Analyse()
{
    m_manquant = -1;
    if (m_table.NbRangees() <= 1) {
        m_etat = Etat::SansElecteur;
        return m_etat;
    }
    m_manquant = ChercheChamps(m_table[0], m_indexChamps);
    m_etat = m_manquant >= 0 ? Etat::ChampManquant : Etat::Prete;
    return m_etat;
}

uint32_t ExtractionChargee::NbElecteurs() const
{
    const uint32_t rangees = m_table.NbRangees();
    return rangees > 0 ? rangees - 1 : 0;
}

QString ExtractionChargee::MessageChampManquant() const
{
    return MessageChampNonTrouve(m_manquant) + QLatin1Char('\n')
           + ConstatEntete(m_table, m_lecture.encodage);
}

RapportExtraction ExtractionChargee::Verification() const
{
    RapportExtraction rapport = VerifieRangees(m_table);
    rapport.Ajoute(m_lecture.remplacements);
    return rapport;
}

QString ExtractionChargee::RefusImpression(const Parametres& p,
                                           RefusSansElecteur sansElecteur) const
{
    const bool chargee = Prete()
                         || (m_etat == Etat::SansElecteur
                             && sansElecteur == RefusSansElecteur::Incorrecte);
    return ::RefusImpression(chargee, p, m_table.NbRangees());
}
