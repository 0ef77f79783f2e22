#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The bytes of one converter answer as the port hands them over, in chunks of
// any size. The answer is complete with the first chunk that holds an EOT, and
// the whole of that chunk belongs to it, whatever follows the EOT. Kept apart
// from the port so that the assembly can be tested and fuzzed without one.
class OdbiorOdpowiedzi
{
public:
    // More than any answer of the converter; a flood from a broken device is
    // cut here, so memory stays bounded while the exchange runs to its limit.
    static constexpr qsizetype kNajdluzsza = 4096;

    // Takes one chunk; true when the answer is complete with it. A complete
    // answer takes no more bytes.
    bool dodaj(QByteArrayView kawalek);

    bool kompletna() const { return m_kompletna; }
    const QByteArray &bajty() const { return m_bajty; }

private:
    QByteArray m_bajty;
    bool m_kompletna = false;
};
