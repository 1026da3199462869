#include "SystemeTest.h"

#include <QFile>
#include <QProcess>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

FichierTenu::FichierTenu(const QString& chemin)
    : m_poignee(::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_CLOEXEC))
{
    m_pris = m_poignee >= 0 && ::flock(static_cast<int>(m_poignee), LOCK_EX | LOCK_NB) == 0;
}

FichierTenu::~FichierTenu()
{
    if (m_poignee >= 0)
        ::close(static_cast<int>(m_poignee));
}

TailleLimitee::TailleLimitee(uint64_t octets)
{
    rlimit limite {};
    if (getrlimit(RLIMIT_FSIZE, &limite) != 0)
        return;
    m_avant = limite.rlim_cur;
    // The signal a write past the limit raises, ignored so that write fails instead.
    m_signalAvant = std::signal(SIGXFSZ, SIG_IGN);
    limite.rlim_cur = octets;
    m_active = setrlimit(RLIMIT_FSIZE, &limite) == 0;
}

TailleLimitee::~TailleLimitee()
{
    if (!m_active)
        return;
    rlimit limite {};
    getrlimit(RLIMIT_FSIZE, &limite);
    limite.rlim_cur = m_avant;
    setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, m_signalAvant);
}

bool CreeTube(const QString& chemin)
{
    return ::mkfifo(QFile::encodeName(chemin).constData(), 0600) == 0;
}

bool CreeLienDur(const QString& existant, const QString& nouveau)
{
    return ::link(QFile::encodeName(existant).constData(), QFile::encodeName(nouveau).constData()) == 0;
}

bool CreeLienSymbolique(const QString& cible, const QString& lien)
{
    return QFile::link(cible, lien);
}

bool DroitsContraignants()
{
    return ::geteuid() != 0;
}

QString RaisonDroitsIgnores()
{
    return QStringLiteral("root lit tous les fichiers");
}

QString RaisonSansDisquePrive()
{
    if (::geteuid() != 0)
        return QStringLiteral("il faut être root pour monter un tmpfs privé (unshare --mount)");
    if (QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("--mount"), QStringLiteral("true")}) != 0)
        return QStringLiteral("unshare --mount refusé : pas de tmpfs privé");
    return QString();
}
