// Windows: the lock is the share mode of the open itself, so another program
// is refused by the system rather than by an advisory lock. A reader shares
// the file with other readers only; a writer shares it with no one.
// Names go through the wide-character interfaces, so any folder name works.
#include "DescripteurFichier.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <io.h>
#include <string>
#include <windows.h>

namespace {

// The errno value RaisonErreurFichier explains for a Windows error code.
int ErrnoDe(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EWOULDBLOCK;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

std::wstring NomNatif(const QString& chemin)
{
    return QDir::toNativeSeparators(chemin).toStdWString();
}

HANDLE Poignee(int fd)
{
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

// Every byte, in pieces the system takes; false if it refused some.
bool EcritTout(HANDLE h, const char* source, std::size_t taille)
{
    while (taille > 0) {
        const DWORD demande = static_cast<DWORD>(std::min<std::size_t>(taille, 1u << 30));
        DWORD n = 0;
        if (!::WriteFile(h, source, demande, &n, nullptr) || n == 0)
            return false;
        source += n;
        taille -= n;
    }
    return true;
}

}  // namespace

void DescripteurFichier::Ferme()
{
    if (m_fd >= 0) {
        // Closes the system handle too, which ends the exclusive use.
        ::_close(m_fd);
        m_fd = -1;
    }
}

// Takes ownership of the handle (its share mode already set by the open) once
// it is known to be a regular file on a disk.
DescripteurFichier DescripteurFichier::Verrouille(int fd, int /*verrou*/)
{
    if (fd < 0)
        return Echec(EMFILE);
    DescripteurFichier fichier(fd);
    if (::GetFileType(Poignee(fd)) != FILE_TYPE_DISK)
        return Echec(EINVAL);
    return fichier;
}

namespace {

// A folder is refused by name: opening one needs a flag that files do not.
int Ouvre(const QString& chemin, DWORD acces, DWORD partage, DWORD creation, int& erreur)
{
    const std::wstring nom = NomNatif(chemin);
    const DWORD attributs = ::GetFileAttributesW(nom.c_str());
    if (attributs != INVALID_FILE_ATTRIBUTES && (attributs & FILE_ATTRIBUTE_DIRECTORY)) {
        erreur = EISDIR;
        return -1;
    }
    const HANDLE h = ::CreateFileW(nom.c_str(), acces, partage, nullptr, creation,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        erreur = ErrnoDe(::GetLastError());
        return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), 0);
    if (fd < 0) {
        ::CloseHandle(h);
        erreur = EMFILE;
    }
    return fd;
}

}  // namespace

DescripteurFichier DescripteurFichier::OuvreLecture(const QString& chemin)
{
    if (chemin.isEmpty())
        return Echec(ENOENT);
    int erreur = 0;
    const int fd = Ouvre(chemin, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, erreur);
    return fd < 0 ? Echec(erreur) : Verrouille(fd, 0);
}

DescripteurFichier DescripteurFichier::CreeEcriture(const QString& chemin)
{
    if (chemin.isEmpty())
        return Echec(ENOENT);
    int erreur = 0;
    // Not CREATE_ALWAYS: the contents go only once the file is ours alone.
    const int fd = Ouvre(chemin, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS, erreur);
    if (fd < 0)
        return Echec(erreur);
    DescripteurFichier fichier = Verrouille(fd, 0);
    if (fichier.Valide() && !::SetEndOfFile(Poignee(fichier.m_fd)))
        return Echec(ErrnoDe(::GetLastError()));
    return fichier;
}

uint64_t DescripteurFichier::Taille() const
{
    LARGE_INTEGER taille {};
    if (m_fd < 0 || !::GetFileSizeEx(Poignee(m_fd), &taille) || taille.QuadPart < 0)
        return 0;
    return static_cast<uint64_t>(taille.QuadPart);
}

int64_t DescripteurFichier::Lire(char* destination, std::size_t taille)
{
    if (m_fd < 0)
        return -1;
    std::size_t lus = 0;
    while (lus < taille) {
        const DWORD demande = static_cast<DWORD>(std::min<std::size_t>(taille - lus, 1u << 30));
        DWORD n = 0;
        if (!::ReadFile(Poignee(m_fd), destination + lus, demande, &n, nullptr)) {
            // Bytes already in still count; the short count ends the input.
            if (lus == 0)
                return -1;
            break;
        }
        if (n == 0)
            break;
        lus += n;
    }
    return static_cast<int64_t>(lus);
}

int64_t DescripteurFichier::LitDebut(char* destination, std::size_t taille) const
{
    if (m_fd < 0)
        return -1;
    // A read at an offset moves a synchronous handle's position too: the
    // position Lire reads from is put back afterwards.
    const HANDLE h = Poignee(m_fd);
    LARGE_INTEGER zero {};
    LARGE_INTEGER avant {};
    if (!::SetFilePointerEx(h, zero, &avant, FILE_CURRENT))
        return -1;
    std::size_t lus = 0;
    while (lus < taille) {
        const DWORD demande = static_cast<DWORD>(std::min<std::size_t>(taille - lus, 1u << 30));
        OVERLAPPED position {};
        position.Offset = static_cast<DWORD>(lus);
        position.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(lus) >> 32);
        DWORD n = 0;
        if (!::ReadFile(h, destination + lus, demande, &n, &position) || n == 0)
            break;
        lus += n;
    }
    ::SetFilePointerEx(h, avant, nullptr, FILE_BEGIN);
    return static_cast<int64_t>(lus);
}

bool DescripteurFichier::Ecrire(const char* source, std::size_t taille)
{
    return m_fd >= 0 && EcritTout(Poignee(m_fd), source, taille);
}

namespace {

// Volume serial number and file index: the same file whatever its spelling.
bool Identite(const QString& chemin, BY_HANDLE_FILE_INFORMATION& info)
{
    const HANDLE h = ::CreateFileW(NomNatif(chemin).c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = ::GetFileInformationByHandle(h, &info) != 0;
    ::CloseHandle(h);
    return ok;
}

}  // namespace

bool MemeFichier(const QString& a, const QString& b)
{
    BY_HANDLE_FILE_INFORMATION infoA {};
    BY_HANDLE_FILE_INFORMATION infoB {};
    if (a.isEmpty() || b.isEmpty() || !Identite(a, infoA) || !Identite(b, infoB))
        return false;
    return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber
           && infoA.nFileIndexHigh == infoB.nFileIndexHigh
           && infoA.nFileIndexLow == infoB.nFileIndexLow;
}

namespace {

// A name no other file has yet: the marker and six letters or digits, tried
// until the system creates it.
HANDLE CreeTemporaire(const QString& base, std::wstring& nom)
{
    static const char lettres[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    ULONGLONG graine = ::GetTickCount64() ^ (static_cast<ULONGLONG>(::GetCurrentProcessId()) << 32);
    for (int essai = 0; essai < 100; ++essai) {
        QString suffixe;
        for (int i = 0; i < 6; ++i) {
            graine = graine * 6364136223846793005ULL + 1442695040888963407ULL;
            suffixe += QLatin1Char(lettres[(graine >> 33) % (sizeof lettres - 1)]);
        }
        nom = NomNatif(base + suffixe);
        const HANDLE h = ::CreateFileW(nom.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

int RemplaceFichier(const QString& chemin, const QByteArray& contenu)
{
    const std::wstring cible = NomNatif(chemin);
    const DWORD attributs = ::GetFileAttributesW(cible.c_str());
    if (attributs != INVALID_FILE_ATTRIBUTES
        && (attributs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return (attributs & FILE_ATTRIBUTE_DIRECTORY) ? EISDIR : EACCES;
    std::wstring temporaire;
    const HANDLE h = CreeTemporaire(chemin + MarqueRemplacement, temporaire);
    if (h == INVALID_HANDLE_VALUE)
        return ErrnoDe(::GetLastError());
    int erreur = 0;
    if (!EcritTout(h, contenu.constData(), static_cast<std::size_t>(contenu.size())))
        erreur = ErrnoDe(::GetLastError());
    if (erreur == 0 && !::FlushFileBuffers(h))
        erreur = ErrnoDe(::GetLastError());
    ::CloseHandle(h);
    // Replaces in one step, and only once the new file is on the disk.
    if (erreur == 0
        && !::MoveFileExW(temporaire.c_str(), cible.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        erreur = ErrnoDe(::GetLastError());
    if (erreur != 0)
        ::DeleteFileW(temporaire.c_str());
    return erreur;
}
