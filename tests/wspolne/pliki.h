#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

inline QByteArray czytajBajty(const QString &sciezka)
{
    QFile f(sciezka);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool zapiszBajty(const QString &sciezka, const QByteArray &dane)
{
    QFile f(sciezka);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(dane) == dane.size();
}

// Permissions mean nothing to root, and CI runs as root: for the lifetime of
// this object the process acts as an ordinary user, so a read-only folder is
// read-only for it too.
class BezUprawnien
{
public:
    BezUprawnien()
    {
#ifdef Q_OS_UNIX
        m_zmieniono = ::geteuid() == 0 && ::seteuid(65534) == 0;
#endif
    }
    ~BezUprawnien()
    {
#ifdef Q_OS_UNIX
        if (m_zmieniono)
            (void)::seteuid(0);
#endif
    }
    Q_DISABLE_COPY(BezUprawnien)

private:
    bool m_zmieniono = false;
};
