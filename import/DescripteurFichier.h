#pragma once
// Owner of a POSIX file descriptor opened under an advisory lock.
//
// A reader takes a shared lock and a writer an exclusive one (flock with
// LOCK_NB): any number of programs may read a file together, but none reads
// while one writes it, nor writes while one reads it; a refused lock fails at
// once instead of waiting. Where the file system offers no locks (NFS, no lock
// service), the file is used unlocked. On Windows the open itself sets what is
// shared (share mode) and the descriptor is the C runtime's over that handle
// (DescripteurFichierWindows.cpp). Only regular files are accepted, so a
// directory, a pipe or a device never blocks or streams forever.

#include <QString>

#include <cstddef>
#include <cstdint>

class DescripteurFichier {
public:
    DescripteurFichier() = default;
    ~DescripteurFichier();

    DescripteurFichier(DescripteurFichier&& autre) noexcept;
    DescripteurFichier& operator=(DescripteurFichier&& autre) noexcept;
    DescripteurFichier(const DescripteurFichier&) = delete;
    DescripteurFichier& operator=(const DescripteurFichier&) = delete;

    // Opens an existing regular file for reading, under a shared lock.
    // Invalid on failure.
    static DescripteurFichier OuvreLecture(const QString& chemin);
    // Creates or replaces a regular file for reading and writing, under an
    // exclusive lock. An
    // existing file is emptied only once the lock is held, so a file that
    // another program holds is left as it was. Invalid on failure.
    static DescripteurFichier CreeEcriture(const QString& chemin);

    bool Valide() const { return m_fd >= 0; }
    // Why an open failed, as an errno value: EISDIR for a folder, EINVAL for
    // another kind of file that is not a regular one, EWOULDBLOCK for a file
    // held by another program. 0 for a valid descriptor.
    int Erreur() const { return m_erreur; }
    void Ferme();

    // Size of the file in bytes, 0 if unknown.
    uint64_t Taille() const;

    // Reads until `taille` bytes are in or the end of the file is reached.
    // Returns the number of bytes read, or -1 if the read failed before any
    // byte came in.
    int64_t Lire(char* destination, std::size_t taille);
    // Reads up to `taille` bytes from the start of the file without moving
    // the position Lire reads from; the count read, or -1.
    int64_t LitDebut(char* destination, std::size_t taille) const;

    // Writes all `taille` bytes; false if the system refused part of them.
    bool Ecrire(const char* source, std::size_t taille);

private:
    explicit DescripteurFichier(int fd) : m_fd(fd) {}
    static DescripteurFichier Echec(int erreur);
    static DescripteurFichier Verrouille(int fd, int verrou);

    int m_fd = -1;
    int m_erreur = 0;
};

// File names are bytes: these turn them into text and back unchanged, even
// when they are not valid UTF-8 (a Latin-1 name from an old system): each
// byte outside a valid sequence is kept as the code U+DC00 plus the byte.
QString DecodeNomFichier(const QByteArray& octets);
QByteArray EncodeNomFichier(const QString& nom);

// What RemplaceFichier puts between a file's name and six letters or digits to
// name its new file: a marker no one would give a file of their own.
inline const QString MarqueRemplacement = QStringLiteral(".~ecriture-brivane-");

// Replaces the file `chemin` as a whole with `contenu`. The bytes go to a new
// file beside it, named `chemin`, MarqueRemplacement and six letters or
// digits; they reach the disk before that file takes the name, so a full disk
// or a crash never leaves a cut file under it. The replaced file's permissions
// are kept; a file the user made read-only is refused (EACCES). Returns 0 or
// the errno value of the failure.
int RemplaceFichier(const QString& chemin, const QByteArray& contenu);

// The reason a file operation failed, in French, from an errno value (as
// DescripteurFichier::Erreur gives it).
QString RaisonErreurFichier(int erreur);

// Whether the two paths lead to the same existing file, through links or
// different spellings alike (same device and inode).
bool MemeFichier(const QString& a, const QString& b);
