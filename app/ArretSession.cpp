#include "ArretSession.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A signal handler reaches nothing but what is static: the pipe's write end
// of the one live ArretSession, -1 when there is none.
volatile std::sig_atomic_t EcritureSignal = -1;

extern "C" void Intercepte(int signal)
{
    const int ancienErrno = errno;
    const int fd = EcritureSignal;
    if (fd >= 0) {
        const unsigned char octet = static_cast<unsigned char>(signal);
        // A full pipe already holds a request: this one may be dropped.
        [[maybe_unused]] const ssize_t ecrit = ::write(fd, &octet, 1);
    }
    errno = ancienErrno;
}

void Installe(int signal, struct sigaction& ancien)
{
    struct sigaction action {};
    action.sa_handler = &Intercepte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // Where it fails the default handling stays, and so does `ancien`'s.
    ::sigaction(signal, &action, &ancien);
}

}  // namespace

ArretSession::ArretSession(QObject* parent) : QObject(parent)
{
    int fds[2];
    if (EcritureSignal >= 0 || ::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_lecture = fds[0];
    m_ecriture = fds[1];
    m_notificateur = std::make_unique<QSocketNotifier>(m_lecture, QSocketNotifier::Read);
    connect(m_notificateur.get(), &QSocketNotifier::activated, this, &ArretSession::Lire);
    EcritureSignal = m_ecriture;
    Installe(SIGTERM, m_ancienTerm);
    Installe(SIGHUP, m_ancienHup);
}

ArretSession::~ArretSession()
{
    if (m_lecture < 0)
        return;
    ::sigaction(SIGTERM, &m_ancienTerm, nullptr);
    ::sigaction(SIGHUP, &m_ancienHup, nullptr);
    EcritureSignal = -1;
    m_notificateur.reset();
    ::close(m_lecture);
    ::close(m_ecriture);
}

void ArretSession::Lire()
{
    unsigned char octets[16];
    int dernier = 0;
    ssize_t lus;
    while ((lus = ::read(m_lecture, octets, sizeof octets)) > 0)
        dernier = octets[lus - 1];
    if (dernier != 0)
        emit Demande(dernier);
}
