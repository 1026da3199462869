#include "DescripteurFichier.h"



#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

void DescripteurFichier::Ferme()
{
    if (m_fd >= 0) {
        // Closing releases the lock as well.
        ::close(m_fd);
        m_fd = -1;
    }
}

DescripteurFichier DescripteurFichier::Verrouille(int fd, int verrou)
{
    if (fd < 0)
        return Echec(errno);
    DescripteurFichier fichier(fd);
    struct stat etat {};
    if (::fstat(fd, &etat) != 0)
        return Echec(errno);
    if (S_ISDIR(etat.st_mode))
        return Echec(EISDIR);
    if (!S_ISREG(etat.st_mode))
        return Echec(EINVAL);
    // Only a lock held by another program refuses the file. Where locks are
    // not available (no lock service, or NFS, where an exclusive lock needs a
    // file open for writing) the file is used without one rather than never.
    if (::flock(fd, verrou | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return Echec(EWOULDBLOCK);
    return fichier;
}

DescripteurFichier DescripteurFichier::OuvreLecture(const QString& chemin)
{
    if (chemin.isEmpty())
        return Echec(ENOENT);
    const QByteArray nom = EncodeNomFichier(chemin);
    // O_NONBLOCK keeps the open of a named pipe from waiting for a writer; it
    // has no effect on the regular files that are kept. Readers share the
    // file; only a writer keeps them out.
    return Verrouille(::open(nom.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK),
                      LOCK_SH);
}

DescripteurFichier DescripteurFichier::CreeEcriture(const QString& chemin)
{
    if (chemin.isEmpty())
        return Echec(ENOENT);
    const QByteArray nom = EncodeNomFichier(chemin);
    // No O_TRUNC: the contents go only once the lock is ours.
    DescripteurFichier fichier = Verrouille(
        ::open(nom.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666),
        LOCK_EX);
    if (fichier.Valide() && ::ftruncate(fichier.m_fd, 0) != 0)
        return Echec(errno);
    return fichier;
}

uint64_t DescripteurFichier::Taille() const
{
    struct stat etat {};
    if (m_fd < 0 || ::fstat(m_fd, &etat) != 0 || etat.st_size < 0)
        return 0;
    return static_cast<uint64_t>(etat.st_size);
}

int64_t DescripteurFichier::Lire(char* destination, std::size_t taille)
{
    if (m_fd < 0)
        return -1;
    std::size_t lus = 0;
    while (lus < taille) {
        const ssize_t n = ::read(m_fd, destination + lus, taille - lus);
        if (n > 0) {
            lus += static_cast<std::size_t>(n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            // Bytes already in still count; the short count ends the input.
            if (lus == 0)
                return -1;
            break;
        }
    }
    return static_cast<int64_t>(lus);
}

int64_t DescripteurFichier::LitDebut(char* destination, std::size_t taille) const
{
    if (m_fd < 0)
        return -1;
    std::size_t lus = 0;
    while (lus < taille) {
        const ssize_t n = ::pread(m_fd, destination + lus, taille - lus,
                                  static_cast<off_t>(lus));
        if (n > 0)
            lus += static_cast<std::size_t>(n);
        else if (n == 0 || errno != EINTR)
            break;
    }
    return static_cast<int64_t>(lus);
}

namespace {

// Every byte, however many calls the system takes; false if it refused some.
bool EcritTout(int fd, const char* source, std::size_t taille)
{
    while (taille > 0) {
        const ssize_t n = ::write(fd, source, taille);
        if (n > 0) {
            source += n;
            taille -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

bool DescripteurFichier::Ecrire(const char* source, std::size_t taille)
{
    return m_fd >= 0 && EcritTout(m_fd, source, taille);
}

bool MemeFichier(const QString& a, const QString& b)
{
    struct stat etatA {};
    struct stat etatB {};
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (::stat(EncodeNomFichier(a).constData(), &etatA) != 0
        || ::stat(EncodeNomFichier(b).constData(), &etatB) != 0)
        return false;
    return etatA.st_dev == etatB.st_dev && etatA.st_ino == etatB.st_ino;
}

namespace {

// The permissions the new file keeps: the old file's, or those of a file
// created the ordinary way.
mode_t DroitsDuFichier(const QByteArray& chemin)
{
    struct stat etat {};
    if (::stat(chemin.constData(), &etat) == 0)
        return etat.st_mode & 07777;
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return 0666 & ~masque;
}


}  // namespace

int RemplaceFichier(const QString& chemin, const QByteArray& contenu)
{
    const QByteArray nom = QFile::encodeName(chemin);
    if (::access(nom.constData(), F_OK) == 0 && ::access(nom.constData(), W_OK) != 0)
        return EACCES;
    QByteArray modele = QFile::encodeName(chemin + MarqueRemplacement) + "XXXXXX";
    const int fd = ::mkostemp(modele.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    int erreur = 0;
    if (!EcritTout(fd, contenu.constData(), static_cast<std::size_t>(contenu.size())))
        erreur = errno != 0 ? errno : EIO;
    else if (::fchmod(fd, DroitsDuFichier(nom)) != 0 || ::fsync(fd) != 0)
        erreur = errno;
    if (::close(fd) != 0 && erreur == 0 && errno != EINTR)
        erreur = errno;
    if (erreur == 0 && ::rename(modele.constData(), nom.constData()) != 0)
        erreur = errno;
    if (erreur != 0)
        ::unlink(modele.constData());
    return erreur;
}
