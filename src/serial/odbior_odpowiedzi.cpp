#include "serial/odbior_odpowiedzi.h"

#include "serial/ramka_konwertera.h"

bool OdbiorOdpowiedzi::dodaj(QByteArrayView kawalek)
{
    if (m_kompletna)
        return true;
    m_kompletna = kawalek.contains(RamkaKonwertera::EOT);
    m_bajty.append(kawalek.first(qMin(kawalek.size(), kNajdluzsza - m_bajty.size())));
    return m_kompletna;
}
