#pragma once
// The end of the desktop session turned into a Qt signal on the GUI thread,
// so that the program can close as "Quitter" does. On Linux, SIGTERM at
// logout and SIGHUP when the terminal goes away: the system's handler only
// writes a byte into a pipe that a socket notifier reads in the event loop;
// one at a time, the previous handlers come back when it is destroyed. On
// Windows, the session manager's request before a logoff or shutdown.

#include <QObject>

#include <memory>

class ArretSession : public QObject {
    Q_OBJECT

public:
    explicit ArretSession(QObject* parent = nullptr);
    ~ArretSession() override;
    ArretSession(const ArretSession&) = delete;
    ArretSession& operator=(const ArretSession&) = delete;

signals:
    // The signal that arrived (several at once come as one request); 0 for
    // the session manager's request.
    void Demande(int signal);

private:
    struct Etat;  // each system's own
    std::unique_ptr<Etat> m_etat;
};
