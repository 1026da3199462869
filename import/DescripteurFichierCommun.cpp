// What a file descriptor does the same way on every system: it is moved, it
// closes itself, and a failed open keeps its reason. Opening, reading and
// closing are each system's own (DescripteurFichier.cpp,
// DescripteurFichierWindows.cpp).
#include "DescripteurFichier.h"

#include <cerrno>

DescripteurFichier::~DescripteurFichier()
{
    Ferme();
}

DescripteurFichier::DescripteurFichier(DescripteurFichier&& autre) noexcept
    : m_fd(autre.m_fd), m_erreur(autre.m_erreur)
{
    autre.m_fd = -1;
}

DescripteurFichier& DescripteurFichier::operator=(DescripteurFichier&& autre) noexcept
{
    if (this != &autre) {
        Ferme();
        m_fd = autre.m_fd;
        m_erreur = autre.m_erreur;
        autre.m_fd = -1;
    }
    return *this;
}

DescripteurFichier DescripteurFichier::Echec(int erreur)
{
    DescripteurFichier fichier;
    fichier.m_erreur = erreur != 0 ? erreur : EIO;
    return fichier;
}
