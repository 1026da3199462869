#pragma once
// Owner of a POSIX file descriptor opened for exclusive use.
//
// "Exclusive" means an open followed by a non-blocking exclusive advisory lock
// (flock LOCK_EX | LOCK_NB): while one program holds the file this way, another
// that asks the same fails at once instead of waiting. Where the file system
// offers no locks (NFS, no lock service), the file is used unlocked. On
// Windows the open itself shares nothing (share mode 0) and the descriptor is
// the C runtime's over that handle (DescripteurFichierWindows.cpp). Only
// regular files are accepted, so a directory, a pipe or a device never blocks
// or streams forever.

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

    // Opens an existing regular file for reading, locked. Invalid on failure.
    static DescripteurFichier OuvrirLecture(const QString& chemin);
    // Creates or replaces a regular file for reading and writing, locked. An
    // existing file is emptied only once the lock is held, so a file that
    // another program holds is left as it was. Invalid on failure.
    static DescripteurFichier CreerEcriture(const QString& chemin);

    bool Valide() const { return m_fd >= 0; }
    // Why an open failed, as an errno value: EISDIR for a folder, EINVAL for
    // another kind of file that is not a regular one, EWOULDBLOCK for a file
    // held by another program. 0 for a valid descriptor.
    int Erreur() const { return m_erreur; }
    void Fermer();

    // Size of the file in bytes, 0 if unknown.
    uint64_t Taille() const;

    // Reads until `taille` bytes are in or the end of the file is reached.
    // Returns the number of bytes read, or -1 if the read failed before any
    // byte came in.
    int64_t Lire(char* destination, std::size_t taille);

    // Writes all `taille` bytes; false if the system refused part of them.
    bool Ecrire(const char* source, std::size_t taille);

private:
    explicit DescripteurFichier(int fd) : m_fd(fd) {}
    static DescripteurFichier Echec(int erreur);
    static DescripteurFichier Verrouiller(int fd);

    int m_fd = -1;
    int m_erreur = 0;
};

// The reason a file operation failed, in French, from an errno value (as
// DescripteurFichier::Erreur gives it).
QString RaisonErreurFichier(int erreur);

// Whether the two paths lead to the same existing file, through links or
// different spellings alike (same device and inode).
bool MemeFichier(const QString& a, const QString& b);
