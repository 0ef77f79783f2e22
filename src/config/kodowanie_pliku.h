#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The encoding of one settings or language file. The program's files are
// Windows-1250, but a file saved by a Linux editor is UTF-8, with or without a
// byte order mark; such a file is read as UTF-8 and written back as UTF-8, so
// the two never mix in one file.
class KodowaniePliku
{
public:
    // UTF-8 for bytes that begin with a UTF-8 byte order mark, or that are
    // valid UTF-8 and hold at least one multi-byte sequence; Windows-1250 for
    // anything else, an empty or new file included.
    static KodowaniePliku rozpoznaj(QByteArrayView dane);

    bool utf8() const { return m_utf8; }
    QString tekst(QByteArrayView bajty) const;
    QByteArray bajty(const QString &tekst) const;

private:
    explicit KodowaniePliku(bool utf8) : m_utf8(utf8) {}

    bool m_utf8;
};
