#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QObject>
#include <QString>

// The way to a SCPI instrument: commands out, answers back, without blocking
// the caller.
class KanalScpi : public QObject
{
    Q_OBJECT

public:
    // An answer this long without its line end is delivered cut, as it is, for
    // the caller to refuse.
    static constexpr qsizetype kNajdluzszaOdpowiedz = 1024;

    using QObject::QObject;

    // False, with the reason in `powod`, when the device cannot be opened.
    virtual bool otworz(QString &powod) = 0;
    virtual void zamknij() = 0;
    // Sends the commands in order; the answer to the last one comes as
    // odpowiedz(). Whatever came in before, a late answer to an earlier
    // question, is dropped.
    virtual void zapytaj(const QByteArrayList &polecenia) = 0;

signals:
    // One answer, without its line end.
    void odpowiedz(const QByteArray &tresc);
    // The device went away; the channel has closed itself.
    void utracony(const QString &powod);
};
