#pragma once
// While alive, the C library formats numbers on this thread in the C locale (a
// full stop), whatever locale the desktop gave the program. Each system has
// its own .cpp, chosen at build time.

#include <memory>

class NumeriqueC {
public:
    NumeriqueC();
    ~NumeriqueC();
    NumeriqueC(const NumeriqueC&) = delete;
    NumeriqueC& operator=(const NumeriqueC&) = delete;

private:
    struct Etat;
    std::unique_ptr<Etat> m_etat;  // what to restore; none when nothing changed
};
