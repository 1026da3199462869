#pragma once
// What tests do through the system itself, each system its own way (one .cpp
// per system): hold a file as another program would, make special files,
// limit a write. Where a system has no such thing, the call says so and the
// test skips that case with its reason.

#include <QString>

#include <cstdint>

// While alive, holds the file open for exclusive use as another program would:
// an exclusive lock on Linux, an open without sharing on Windows.
class FichierTenu {
public:
    explicit FichierTenu(const QString& chemin);
    ~FichierTenu();
    FichierTenu(const FichierTenu&) = delete;
    FichierTenu& operator=(const FichierTenu&) = delete;
    bool Pris() const { return m_pris; }

private:
    intptr_t m_poignee = -1;
    bool m_pris = false;
};

// While alive and active, a write past `octets` bytes in a file fails as on a
// full disk. Windows has no such limit for one program: never active there.
class TailleLimitee {
public:
    explicit TailleLimitee(uint64_t octets);
    ~TailleLimitee();
    TailleLimitee(const TailleLimitee&) = delete;
    TailleLimitee& operator=(const TailleLimitee&) = delete;
    bool Active() const { return m_active; }

private:
    uint64_t m_avant = 0;
    void (*m_signalAvant)(int) = nullptr;
    bool m_active = false;
};

// A named pipe at chemin; false where pipes have no place among files (Windows).
bool CreeTube(const QString& chemin);
// A second name (hard link) for an existing file.
bool CreeLienDur(const QString& existant, const QString& nouveau);
// A symbolic link; false where making one needs privileges (Windows).
bool CreeLienSymbolique(const QString& cible, const QString& lien);
// Whether a file without read permission is unreadable for this program: not
// for root, and not on Windows, whose permissions are not Unix bits.
bool DroitsContraignants();
// Why DroitsContraignants is false here, for a skipped test.
QString RaisonDroitsIgnores();
// Why no small private disk can be mounted for a program run (root and
// unshare --mount on Linux); empty when one can.
QString RaisonSansDisquePrive();
