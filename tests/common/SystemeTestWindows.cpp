#include "SystemeTest.h"

#include <QDir>

#include <windows.h>

FichierTenu::FichierTenu(const QString& chemin)
{
    const HANDLE h = ::CreateFileW(QDir::toNativeSeparators(chemin).toStdWString().c_str(),
                                   GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                   nullptr);
    m_pris = h != INVALID_HANDLE_VALUE;
    m_poignee = reinterpret_cast<intptr_t>(h);
}

FichierTenu::~FichierTenu()
{
    if (m_pris)
        ::CloseHandle(reinterpret_cast<HANDLE>(m_poignee));
}

TailleLimitee::TailleLimitee(uint64_t) {}

TailleLimitee::~TailleLimitee() = default;

bool CreeTube(const QString&)
{
    return false;
}

bool CreeLienDur(const QString& existant, const QString& nouveau)
{
    return ::CreateHardLinkW(QDir::toNativeSeparators(nouveau).toStdWString().c_str(),
                             QDir::toNativeSeparators(existant).toStdWString().c_str(), nullptr)
           != 0;
}

bool CreeLienSymbolique(const QString&, const QString&)
{
    return false;
}

bool DroitsContraignants()
{
    return false;
}

QString RaisonDroitsIgnores()
{
    return QStringLiteral("Windows n'a pas de droit de lecture à retirer au propriétaire");
}

QString RaisonSansDisquePrive()
{
    return QStringLiteral("Windows ne monte pas de petit disque privé pour un programme");
}
