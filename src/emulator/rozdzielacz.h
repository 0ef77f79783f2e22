#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Splits what arrives on the line into command frames (SOH ... EOT) and scale
// frames (text lines). A read can end anywhere, so unfinished pieces wait for
// the next read; whatever belongs to neither is dropped.
class Rozdzielacz
{
public:
    // Longer pieces are noise: no command or scale frame comes near this.
    static constexpr qsizetype kNajdluzszePolecenie = 64;
    static constexpr qsizetype kNajdluzszaLinia = 1024;

    struct Kawalek
    {
        enum class Rodzaj { Polecenie, Linia };
        Rodzaj rodzaj;
        // A command with its SOH and EOT; a line without its line end.
        QByteArray bajty;
    };

    QList<Kawalek> dodaj(QByteArrayView dane);

private:
    void znak(char c, QList<Kawalek> &wynik);

    QByteArray m_polecenie;
    QByteArray m_linia;
    bool m_wPoleceniu = false;
};
