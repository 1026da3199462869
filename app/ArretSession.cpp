#include "ArretSession.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
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

struct ArretSession::Etat {
    int lecture = -1;
    int ecriture = -1;
    struct sigaction ancienTerm {};
    struct sigaction ancienHup {};
    std::unique_ptr<QSocketNotifier> notificateur;
};

ArretSession::ArretSession(QObject* parent) : QObject(parent), m_etat(std::make_unique<Etat>())
{
    int fds[2];
    if (EcritureSignal >= 0 || ::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    Etat& e = *m_etat;
    e.lecture = fds[0];
    e.ecriture = fds[1];
    e.notificateur = std::make_unique<QSocketNotifier>(e.lecture, QSocketNotifier::Read);
    connect(e.notificateur.get(), &QSocketNotifier::activated, this, [this] {
        unsigned char octets[16];
        int dernier = 0;
        ssize_t lus;
        while ((lus = ::read(m_etat->lecture, octets, sizeof octets)) > 0)
            dernier = octets[lus - 1];
        if (dernier != 0)
            emit Demande(dernier);
    });
    EcritureSignal = e.ecriture;
    Installe(SIGTERM, e.ancienTerm);
    Installe(SIGHUP, e.ancienHup);
}

ArretSession::~ArretSession()
{
    Etat& e = *m_etat;
    if (e.lecture < 0)
        return;
    ::sigaction(SIGTERM, &e.ancienTerm, nullptr);
    ::sigaction(SIGHUP, &e.ancienHup, nullptr);
    EcritureSignal = -1;
    e.notificateur.reset();
    ::close(e.lecture);
    ::close(e.ecriture);
}
