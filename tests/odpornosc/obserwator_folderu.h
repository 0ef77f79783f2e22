#pragma once

#include <QFile>
#include <QList>
#include <QString>

#include <sys/inotify.h>
#include <unistd.h>

// Names created, removed and renamed in one folder while the object lives.
class ObserwatorFolderu
{
public:
    struct Zdarzenie
    {
        enum Rodzaj { Utworzony, Usuniety, Wyniesiony, Wniesiony };
        Rodzaj rodzaj;
        QString nazwa;
        bool operator==(const Zdarzenie &z) const { return rodzaj == z.rodzaj && nazwa == z.nazwa; }
    };

    explicit ObserwatorFolderu(const QString &folder)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_fd >= 0)
            inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                              IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO);
    }
    ~ObserwatorFolderu()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ObserwatorFolderu(const ObserwatorFolderu &) = delete;
    ObserwatorFolderu &operator=(const ObserwatorFolderu &) = delete;

    bool dziala() const { return m_fd >= 0; }

    // Everything seen so far, in order.
    QList<Zdarzenie> zdarzenia()
    {
        alignas(inotify_event) char bufor[16 * 1024];
        for (;;) {
            const ssize_t n = ::read(m_fd, bufor, sizeof bufor);
            if (n <= 0)
                break;
            for (ssize_t i = 0; i < n;) {
                const auto *e = reinterpret_cast<const inotify_event *>(bufor + i);
                const QString nazwa = e->len ? QFile::decodeName(e->name) : QString();
                if (e->mask & IN_CREATE)
                    m_zdarzenia.append({Zdarzenie::Utworzony, nazwa});
                if (e->mask & IN_DELETE)
                    m_zdarzenia.append({Zdarzenie::Usuniety, nazwa});
                if (e->mask & IN_MOVED_FROM)
                    m_zdarzenia.append({Zdarzenie::Wyniesiony, nazwa});
                if (e->mask & IN_MOVED_TO)
                    m_zdarzenia.append({Zdarzenie::Wniesiony, nazwa});
                i += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
        return m_zdarzenia;
    }

private:
    int m_fd;
    QList<Zdarzenie> m_zdarzenia;
};
