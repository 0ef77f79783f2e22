#pragma once

#include <QObject>

#include <initializer_list>
#include <vector>

class QSocketNotifier;

// Turns POSIX signals into a Qt signal on the event loop: the handler itself
// only writes the signal number into a pipe, which is all a handler may do.
// One object per process.
class Sygnaly : public QObject
{
    Q_OBJECT

public:
    explicit Sygnaly(std::initializer_list<int> sygnaly, QObject *parent = nullptr);
    ~Sygnaly() override;

signals:
    void odebrano(int sygnal);

private:
    void czytaj();

    QSocketNotifier *m_powiadamiacz = nullptr;
    std::vector<int> m_sygnaly;
};
