#include "DebutPlanche.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

int64_t BorneDebut(int64_t parPage, int64_t debut)
{
    if (parPage <= 0)
        return 1;
    return std::clamp<int64_t>(debut, 1, parPage);
}

}  // namespace

bool DebutValide(int64_t parPage, int64_t debut)
{
    return parPage > 0 && debut >= 1 && debut <= parPage;
}

RepartitionEtiquettes::RepartitionEtiquettes(int64_t parPage, uint32_t nbRangees, int64_t debut)
    : m_parPage(std::max<int64_t>(parPage, 0)),
      m_debut(BorneDebut(parPage, debut)),
      m_nbElecteurs(nbRangees > 1 ? int64_t{nbRangees} - 1 : 0)
{
}

RepartitionEtiquettes::RepartitionEtiquettes(int64_t parPage, std::vector<int32_t> ordre,
                                             int64_t debut)
    : m_parPage(std::max<int64_t>(parPage, 0)),
      m_debut(BorneDebut(parPage, debut)),
      m_nbElecteurs(static_cast<int64_t>(ordre.size())),
      m_ordre(std::move(ordre))
{
}

int32_t RepartitionEtiquettes::NombrePages() const
{
    if (m_parPage <= 0 || m_nbElecteurs <= 0)
        return 0;
    const int64_t etiquettes = CellulesVides() + m_nbElecteurs;
    const int64_t pages = etiquettes / m_parPage + (etiquettes % m_parPage != 0 ? 1 : 0);
    return static_cast<int32_t>(std::min<int64_t>(pages, std::numeric_limits<int32_t>::max()));
}

int32_t RepartitionEtiquettes::Rangee(int32_t page, int64_t cellule) const
{
    if (page < 1 || cellule < 0 || cellule >= m_parPage)
        return -1;
    // Checked before multiplying: a huge grid times a huge page number
    // would not fit in 64 bits.
    const int64_t pagesAvant = int64_t{page} - 1;
    if (pagesAvant > (CellulesVides() + m_nbElecteurs) / m_parPage)
        return -1;
    const int64_t rang = pagesAvant * m_parPage + cellule - CellulesVides();
    if (rang < 0 || rang >= m_nbElecteurs)
        return -1;
    if (m_ordre.empty())
        return static_cast<int32_t>(rang + 1);
    return m_ordre[static_cast<size_t>(rang)];
}
