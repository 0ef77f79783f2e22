#pragma once

// Waiting in the benchmarks that drive a program or the emulator from outside.
#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QList>
#include <QString>
#include <QThread>
#include <QTimer>

// The first line of the log file that begins with `przedrostek` (the first
// line at all for an empty one), waiting up to 5 s for it; empty when none came.
inline QString czekajNaLinie(const QString &plik, const QString &przedrostek)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        QFile f(plik);
        if (f.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> linie = f.readAll().split('\n');
            for (qsizetype i = 0; i + 1 < linie.size(); ++i)
                if (linie[i].startsWith(przedrostek.toUtf8()))
                    return QString::fromUtf8(linie[i]).trimmed();
        }
        QThread::msleep(20);
    }
    return {};
}

// Runs the event loop for `ms` milliseconds.
inline void czekaj(qint64 ms)
{
    QEventLoop petla;
    QTimer::singleShot(int(ms), Qt::PreciseTimer, &petla, &QEventLoop::quit);
    petla.exec();
}
