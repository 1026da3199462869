#pragma once
// The end of the desktop session (SIGTERM at logout, SIGHUP when the
// terminal goes away) turned into a Qt signal on the GUI thread, so that the
// program can close as "Quitter" does. The system's handler only writes a
// byte into a pipe; a socket notifier reads it in the event loop. One at a
// time; the previous handlers come back when it is destroyed.

#include <QObject>

#include <csignal>
#include <memory>

class QSocketNotifier;

class ArretSession : public QObject {
    Q_OBJECT

public:
    explicit ArretSession(QObject* parent = nullptr);
    ~ArretSession() override;
    ArretSession(const ArretSession&) = delete;
    ArretSession& operator=(const ArretSession&) = delete;

signals:
    // The signal that arrived (several at once come as one request).
    void Demande(int signal);

private:
    void Lire();

    int m_lecture = -1;
    int m_ecriture = -1;
    struct sigaction m_ancienTerm {};
    struct sigaction m_ancienHup {};
    std::unique_ptr<QSocketNotifier> m_notificateur;
};
