#include "emulator/rozdzielacz.h"

#include "emulator/polecenia.h"

using Polecenia::kEot;
using Polecenia::kSoh;

QList<Rozdzielacz::Kawalek> Rozdzielacz::dodaj(QByteArrayView dane)
{
    QList<Kawalek> wynik;
    for (const char c : dane)
        znak(c, wynik);
    return wynik;
}

void Rozdzielacz::znak(char c, QList<Kawalek> &wynik)
{
    if (c == kSoh) {
        // A frame start cuts off whatever was being collected: it was noise.
        m_wPoleceniu = true;
        m_polecenie = QByteArray(1, kSoh);
        m_linia.clear();
        return;
    }
    if (m_wPoleceniu) {
        // A line end inside a command means the SOH was noise in a scale line.
        if (c == '\n' || m_polecenie.size() >= kNajdluzszePolecenie) {
            m_wPoleceniu = false;
            m_polecenie.clear();
            return;
        }
        m_polecenie.append(c);
        if (c == kEot) {
            wynik.append({Kawalek::Rodzaj::Polecenie, m_polecenie});
            m_wPoleceniu = false;
            m_polecenie.clear();
        }
        return;
    }
    if (c == '\n') {
        if (m_linia.endsWith('\r'))
            m_linia.chop(1);
        // A bare line end carries no weight and is no frame.
        if (!m_linia.isEmpty())
            wynik.append({Kawalek::Rodzaj::Linia, m_linia});
        m_linia.clear();
        return;
    }
    if (m_linia.size() >= kNajdluzszaLinia)
        m_linia.clear();
    m_linia.append(c);
}
