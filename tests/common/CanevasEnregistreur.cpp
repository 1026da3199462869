#include "CanevasEnregistreur.h"

#include "Cp1252.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

CanevasEnregistreur::CanevasEnregistreur(int largeurCaractere, int hauteurCellule)
    : m_largeurCaractere(largeurCaractere), m_hauteurCellule(hauteurCellule)
{
    m_largeurs.fill(largeurCaractere);
}

void CanevasEnregistreur::FixeLargeur(unsigned char octet, int largeur)
{
    m_largeurs[octet] = largeur;
}

int CanevasEnregistreur::LargeurDe(unsigned char octet) const
{
    return m_largeurs[octet];
}

std::vector<CanevasEnregistreur::Appel> CanevasEnregistreur::Appels(Genre genre) const
{
    std::vector<Appel> resultat;
    std::copy_if(m_appels.begin(), m_appels.end(), std::back_inserter(resultat),
                 [genre](const Appel& a) { return a.genre == genre; });
    return resultat;
}

std::vector<std::string> CanevasEnregistreur::OctetsTextes() const
{
    std::vector<std::string> resultat;
    for (const Appel& a : m_appels) {
        if (a.genre == Genre::Texte)
            resultat.push_back(a.octets);
    }
    return resultat;
}

void CanevasEnregistreur::SauveEtat()
{
    m_pile.push_back(m_etat);
    Appel a;
    a.genre = Genre::SauveEtat;
    m_appels.push_back(a);
}

void CanevasEnregistreur::RestaureEtat()
{
    Appel a;
    a.genre = Genre::RestaureEtat;
    m_appels.push_back(a);
    if (m_pile.empty())
        return;
    m_etat = m_pile.back();
    m_pile.pop_back();
}

void CanevasEnregistreur::IntersecteClip(const qlRect& r)
{
    Appel a;
    a.genre = Genre::Clip;
    a.rectangle = r;
    m_appels.push_back(a);

    if (!m_etat.clip) {
        m_etat.clip = r;
        return;
    }
    const qlRect& c = *m_etat.clip;
    m_etat.clip = qlRect(std::max(c.left, r.left), std::max(c.top, r.top),
                         std::min(c.right, r.right), std::min(c.bottom, r.bottom));
}

void CanevasEnregistreur::ChoisitStylo(StyleStylo style, uint32_t couleur, int largeur)
{
    Appel a;
    a.genre = Genre::Stylo;
    a.stylo = style;
    a.couleur = couleur;
    a.largeur = largeur;
    m_appels.push_back(a);
    m_etat.stylo = style;
    m_etat.couleurStylo = couleur;
    m_etat.largeurStylo = largeur;
}

void CanevasEnregistreur::ChoisitBrosse(StyleBrosse style, uint32_t couleur)
{
    Appel a;
    a.genre = Genre::Brosse;
    a.brosse = style;
    a.couleur = couleur;
    m_appels.push_back(a);
    m_etat.brosse = style;
    m_etat.couleurBrosse = couleur;
}

void CanevasEnregistreur::RectangleArrondi(const qlRect& r, int largeurCoin, int hauteurCoin)
{
    Appel a;
    a.genre = Genre::RectangleArrondi;
    a.rectangle = r;
    a.largeurCoin = largeurCoin;
    a.hauteurCoin = hauteurCoin;
    m_appels.push_back(a);
}

void CanevasEnregistreur::ChoisitPolice(const ::Police& police)
{
    Appel a;
    a.genre = Genre::Police;
    a.police = police;
    m_appels.push_back(a);
    m_etat.police = police;
}

int CanevasEnregistreur::HauteurCellule()
{
    if (m_hauteurCellule > 0)
        return m_hauteurCellule;
    if (m_etat.police.Height != 0)
        return std::abs(m_etat.police.Height);
    return m_etat.police.Size * 254 / 72;
}

int64_t CanevasEnregistreur::Fin(const char* texte, int longueur, int64_t x,
                                 int64_t origine) const
{
    const int64_t tabulation = 8 * static_cast<int64_t>(m_largeurCaractere);
    for (int i = 0; i < longueur; ++i) {
        const auto octet = static_cast<unsigned char>(texte[i]);
        if (octet == '\t' && tabulation > 0) {
            const int64_t decalage = x - origine;
            // Next stop strictly right of x (floor division for x < origine).
            const int64_t cran = decalage >= 0 ? decalage / tabulation
                                           : -((-decalage + tabulation - 1) / tabulation);
            x = origine + (cran + 1) * tabulation;
        } else {
            x += m_largeurs[octet];
        }
    }
    return x;
}

int64_t CanevasEnregistreur::EtendueTexte(const char* texte, int longueur)
{
    m_octetsMesures += std::max(longueur, 0);
    return Fin(texte, longueur, 0, 0);
}

int64_t CanevasEnregistreur::SortieTexte(int x, int y, const char* texte, int longueur,
                                     int origineTab)
{
    Appel a;
    a.genre = Genre::Texte;
    a.police = m_etat.police;
    a.ligneDeBase = m_etat.ligneDeBase;
    a.x = x;
    a.y = y;
    a.origineTab = origineTab;
    if (longueur > 0)
        a.octets.assign(texte, static_cast<size_t>(longueur));
    m_appels.push_back(a);
    return Fin(texte, longueur, x, origineTab) - x;
}

void CanevasEnregistreur::AlignementLigneDeBase(bool actif)
{
    Appel a;
    a.genre = Genre::Alignement;
    a.ligneDeBase = actif;
    m_appels.push_back(a);
    m_etat.ligneDeBase = actif;
}

bool CanevasEnregistreur::EstLettre(unsigned char octet) const
{
    return DecodeCp1252(octet).isLetter();
}
