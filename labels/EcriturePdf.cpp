#include "EcriturePdf.h"

#include "DescripteurFichier.h"
#include "EcriturePdfCommun.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <limits.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file being written, encoded beforehand: all a signal handler
// may do is unlink it.
char g_temporaire[PATH_MAX + 32];
volatile std::sig_atomic_t g_temporaireActif = 0;

void QuitteSurSignal(int signal)
{
    if (g_temporaireActif != 0)
        ::unlink(g_temporaire);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// What an output's path leads to.
struct Cible {
    enum class Genre { Nouveau, Remplace, Flux };
    Genre genre = Genre::Nouveau;
    QByteArray chemin;  // the real file, or the path as given for a stream
    struct stat etat {};
};

QByteArray Dossier(const QByteArray& chemin)
{
    const int barre = chemin.lastIndexOf('/');
    if (barre < 0)
        return QByteArrayLiteral(".");
    return barre == 0 ? QByteArrayLiteral("/") : chemin.left(barre);
}

// Follows the symbolic links of a path that leads nowhere yet to the name of
// the file to make.
int NomACreer(QByteArray chemin, QByteArray& resultat)
{
    for (int liens = 0; liens < 40; ++liens) {
        struct stat etat {};
        if (::lstat(chemin.constData(), &etat) != 0 || !S_ISLNK(etat.st_mode)) {
            resultat = chemin;
            return 0;
        }
        std::array<char, PATH_MAX> lien{};
        const ssize_t taille = ::readlink(chemin.constData(), lien.data(), lien.size() - 1);
        if (taille < 0)
            return errno;
        const QByteArray suite(lien.data(), static_cast<int>(taille));
        chemin = suite.startsWith('/') ? suite : Dossier(chemin) + '/' + suite;
    }
    return ELOOP;
}

int TrouveCible(const QByteArray& chemin, Cible& cible)
{
    if (::stat(chemin.constData(), &cible.etat) != 0) {
        if (errno != ENOENT)
            return errno;
        cible.genre = Cible::Genre::Nouveau;
        return NomACreer(chemin, cible.chemin);
    }
    const mode_t mode = cible.etat.st_mode;
    if (S_ISDIR(mode))
        return EISDIR;
    if (S_ISCHR(mode) || S_ISFIFO(mode) || S_ISSOCK(mode)) {
        cible.genre = Cible::Genre::Flux;
        cible.chemin = chemin;
        return 0;
    }
    if (!S_ISREG(mode))
        return EINVAL;
    char* reel = ::realpath(chemin.constData(), nullptr);
    if (reel == nullptr)
        return errno;
    cible.chemin = reel;
    std::free(reel);
    cible.genre = Cible::Genre::Remplace;
    return 0;
}

// Whether the output can be written, asked before anything is printed. A
// FIFO is not opened here: that would wait for its reader.
int Accessible(const Cible& cible)
{
    const QByteArray& teste =
        cible.genre == Cible::Genre::Nouveau ? Dossier(cible.chemin) : cible.chemin;
    const int droits = cible.genre == Cible::Genre::Nouveau ? W_OK | X_OK : W_OK;
    if (cible.genre != Cible::Genre::Flux
        && ::faccessat(AT_FDCWD, teste.constData(), droits, AT_EACCESS) != 0)
        return errno;
    return 0;
}

int Copie(int source, int64_t taille, int destination)
{
    std::vector<char> tampon(static_cast<std::size_t>(std::min<int64_t>(taille, 1 << 20)) + 1);
    int64_t fait = 0;
    while (fait < taille) {
        const auto voulu = static_cast<std::size_t>(
            std::min<int64_t>(static_cast<int64_t>(tampon.size()), taille - fait));
        const ssize_t lu = ::pread(source, tampon.data(), voulu, fait);
        if (lu < 0 && errno == EINTR)
            continue;
        if (lu < 0)
            return errno;
        if (lu == 0)
            return EIO;  // the document is shorter than it was
        for (ssize_t ecrit = 0; ecrit < lu;) {
            const ssize_t n = ::write(destination, tampon.data() + ecrit,
                                      static_cast<std::size_t>(lu - ecrit));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return errno;
            if (n == 0)
                return ENOSPC;
            ecrit += n;
        }
        fait += lu;
    }
    return 0;
}

// A device or a pipe may not be syncable; a file must be.
int Synchronise(int fd, bool flux)
{
    if (::fsync(fd) == 0)
        return 0;
    if (flux && (errno == EINVAL || errno == EROFS || errno == ENOTSUP))
        return 0;
    return errno;
}

int Ferme(int fd)
{
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

int EcritFlux(int source, int64_t taille, const Cible& cible)
{
    const int fd = ::open(cible.chemin.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno;
    int erreur = Copie(source, taille, fd);
    if (erreur == 0)
        erreur = Synchronise(fd, true);
    const int fermeture = Ferme(fd);
    return erreur != 0 ? erreur : fermeture;
}

int DonneDroits(int fd, const Cible& cible)
{
    if (cible.genre == Cible::Genre::Nouveau) {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        return ::fchmod(fd, 0666 & ~masque) == 0 ? 0 : errno;
    }
    // The owner first: changing it clears the set-id bits the mode restores.
    if (::fchown(fd, cible.etat.st_uid, cible.etat.st_gid) != 0)
        return errno;
    return ::fchmod(fd, cible.etat.st_mode & 07777) == 0 ? 0 : errno;
}

// Writes a temporary file beside the real one, synced, then renames it over
// the real one: until then the older file is untouched.
int EcritParRemplacement(int source, int64_t taille, const Cible& cible)
{
    const int barre = cible.chemin.lastIndexOf('/');
    const QByteArray modele = Dossier(cible.chemin) + "/." + cible.chemin.mid(barre + 1)
                              + ".XXXXXX";
    if (static_cast<std::size_t>(modele.size()) >= sizeof g_temporaire)
        return ENAMETOOLONG;
    std::memcpy(g_temporaire, modele.constData(), static_cast<std::size_t>(modele.size()) + 1);
    g_temporaireActif = 1;
    const int fd = ::mkostemp(g_temporaire, O_CLOEXEC);
    if (fd < 0) {
        const int erreur = errno;
        g_temporaireActif = 0;
        return erreur;
    }
    int erreur = Copie(source, taille, fd);
    if (erreur == 0)
        erreur = DonneDroits(fd, cible);
    if (erreur == 0)
        erreur = Synchronise(fd, false);
    const int fermeture = Ferme(fd);
    if (erreur == 0)
        erreur = fermeture;
    if (erreur == 0 && ::rename(g_temporaire, cible.chemin.constData()) != 0)
        erreur = errno;
    if (erreur != 0)
        ::unlink(g_temporaire);
    g_temporaireActif = 0;
    if (erreur == 0) {
        // The rename itself reaches the disk with its folder.
        const int dossier = ::open(Dossier(cible.chemin).constData(),
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dossier >= 0) {
            ::fsync(dossier);
            ::close(dossier);
        }
    }
    return erreur;
}

// For a file whose owner cannot be given to a new one, or in a folder where
// no file can be made: its own bytes are rewritten, the space reserved first
// so that a full disk is found before the older content is touched.
int EcritEnPlace(int source, int64_t taille, const Cible& cible)
{
    const int fd = ::open(cible.chemin.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno;
    int erreur = taille > 0 ? ::posix_fallocate(fd, 0, taille) : 0;
    if (erreur == EOPNOTSUPP || erreur == EINVAL)
        erreur = 0;
    if (erreur == 0)
        erreur = Copie(source, taille, fd);
    if (erreur == 0 && ::ftruncate(fd, taille) != 0)
        erreur = errno;
    if (erreur == 0)
        erreur = Synchronise(fd, false);
    const int fermeture = Ferme(fd);
    return erreur != 0 ? erreur : fermeture;
}

// A finished PDF ends with its end-of-file marker.
bool DocumentComplet(int fd, int64_t taille)
{
    std::array<char, 32> fin{};
    const int64_t n = std::min<int64_t>(taille, fin.size());
    return n > 0 && ::pread(fd, fin.data(), static_cast<std::size_t>(n), taille - n) == n
           && FinDeDocument(QByteArray(fin.data(), static_cast<int>(n)));
}

}  // namespace

QString EcritSortie(int source, int64_t taille, const QString& sortie)
{
    Cible cible;
    int erreur = TrouveCible(EncodeNomFichier(sortie), cible);
    if (erreur == 0)
        erreur = Accessible(cible);
    if (erreur == 0 && cible.genre == Cible::Genre::Flux)
        erreur = EcritFlux(source, taille, cible);
    else if (erreur == 0) {
        erreur = EcritParRemplacement(source, taille, cible);
        if (cible.genre == Cible::Genre::Remplace && (erreur == EPERM || erreur == EACCES))
            erreur = EcritEnPlace(source, taille, cible);
    }
    return erreur == 0 ? QString() : Raison(erreur);
}

QString RaisonRefusSortie(const QString& sortie)
{
    Cible cible;
    int erreur = TrouveCible(EncodeNomFichier(sortie), cible);
    if (erreur == 0)
        erreur = Accessible(cible);
    return erreur == 0 ? QString() : Raison(erreur);
}

EcriturePdf::EcriturePdf(const QString& sortie) : m_sortie(sortie)
{
    m_erreur = MessageRefusSortie(sortie);
    if (!m_erreur.isEmpty())
        return;
    m_document = ::memfd_create("brivane-pdf", MFD_CLOEXEC);
    if (m_document >= 0 && ::access("/proc/self/fd", X_OK) == 0)
        return;
    if (m_document >= 0)
        ::close(m_document);
    m_cheminDocument = QFile::encodeName(QDir::tempPath()) + "/brivane-pdf-XXXXXX";
    m_document = ::mkostemp(m_cheminDocument.data(), O_CLOEXEC);
    if (m_document < 0) {
        m_erreur = MessageCreation(sortie, Raison(errno));
        m_cheminDocument.clear();
    }
}

EcriturePdf::~EcriturePdf()
{
    if (m_document >= 0)
        ::close(m_document);
    if (!m_cheminDocument.isEmpty())
        ::unlink(m_cheminDocument.constData());
}

QString EcriturePdf::FichierImprimante() const
{
    if (!m_cheminDocument.isEmpty())
        return QFile::decodeName(m_cheminDocument);
    return QStringLiteral("/proc/self/fd/%1").arg(m_document);
}

QString EcriturePdf::Publie()
{
    struct stat etat {};
    if (m_document < 0 || ::fstat(m_document, &etat) != 0)
        return MessageEcriture(m_sortie, Raison(m_document < 0 ? EBADF : errno));
    if (!DocumentComplet(m_document, etat.st_size))
        return MessageEcriture(m_sortie, RaisonDocumentIncomplet());
    const QString raison = EcritSortie(m_document, etat.st_size, m_sortie);
    return raison.isEmpty() ? QString() : MessageEcriture(m_sortie, raison);
}

void SupprimeTemporaireSurSignal()
{
    struct sigaction action {};
    action.sa_handler = QuitteSurSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction avant {};
        // A signal the caller chose to ignore (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &avant) == 0 && avant.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}
