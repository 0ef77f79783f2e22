#include "config/ini.h"

#include "config/blokada_zapisu.h"
#include "config/kodowanie_pliku.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <optional>

namespace {

// A settings or language file this large is damaged; it is neither read nor
// rewritten, so a lookup never stalls the window on it.
constexpr qint64 kNajwiekszyPlik = 32 * 1024 * 1024;

// A temporary file of an interrupted save this old has no save behind it.
constexpr qint64 kWiekPozostalosciS = 60;

constexpr QFileDevice::Permissions kPrawaNowegoPliku =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
    | QFileDevice::WriteGroup | QFileDevice::ReadOther;

bool odstep(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView przytnij(QByteArrayView t)
{
    while (!t.isEmpty() && odstep(t.front()))
        t = t.sliced(1);
    while (!t.isEmpty() && (odstep(t.back()) || t.back() == '\r'))
        t.chop(1);
    return t;
}

// A name the caller gives loses what a name in the file loses, spaces and tabs
// around it and no other blank, so that it is found where it was written.
QString jakWPliku(const QString &tekst)
{
    qsizetype od = 0;
    qsizetype doKonca = tekst.size();
    while (od < doKonca && odstep(tekst.at(od).toLatin1()))
        ++od;
    while (doKonca > od && odstep(tekst.at(doKonca - 1).toLatin1()))
        --doKonca;
    return tekst.sliced(od, doKonca - od);
}

bool toSamo(const KodowaniePliku &k, QByteArrayView zPliku, const QString &nazwa)
{
    // In Windows-1250 a character is a byte, so most names differ by length.
    if (!k.utf8() && zPliku.size() != nazwa.size())
        return false;
    return k.tekst(zPliku).compare(nazwa, Qt::CaseInsensitive) == 0;
}

// One line of the file: [poczatek, koniec) is its text, [koniec, nastepna) its
// line end ("\n", "\r\n" or nothing at the end of the file).
struct Linia
{
    qsizetype poczatek = 0;
    qsizetype koniec = 0;
    qsizetype nastepna = 0;
    // The last line of a file that does not end with "\n"; a lone "\r" there
    // is dropped from the text but does not end the line.
    bool bezKonca = false;
};

class Linie
{
public:
    explicit Linie(QByteArrayView dane) : m_dane(dane)
    {
        // A UTF-8 byte order mark left by some editors is not part of the first line.
        if (m_dane.startsWith("\xEF\xBB\xBF"))
            m_pozycja = 3;
    }

    bool nastepna(Linia &l)
    {
        if (m_pozycja >= m_dane.size())
            return false;
        l.poczatek = m_pozycja;
        const qsizetype nl = m_dane.indexOf('\n', m_pozycja);
        l.nastepna = nl < 0 ? m_dane.size() : nl + 1;
        l.koniec = nl < 0 ? m_dane.size() : nl;
        l.bezKonca = nl < 0;
        if (l.koniec > l.poczatek && m_dane[l.koniec - 1] == '\r')
            --l.koniec;
        m_pozycja = l.nastepna;
        return true;
    }

    QByteArrayView tekst(const Linia &l) const
    {
        return m_dane.sliced(l.poczatek, l.koniec - l.poczatek);
    }

private:
    QByteArrayView m_dane;
    qsizetype m_pozycja = 0;
};

enum class Rodzaj { Pusta, Komentarz, Sekcja, Klucz, Inna };

struct Rozbior
{
    Rodzaj rodzaj = Rodzaj::Pusta;
    QByteArrayView nazwa;       // section name or key, trimmed
    QByteArrayView wartosc;     // value, trimmed, quotes kept
    qsizetype wartoscOd = 0;    // offset of the value's first character in the line
};

Rozbior rozbierz(QByteArrayView linia)
{
    Rozbior r;
    const QByteArrayView t = przytnij(linia);
    if (t.isEmpty())
        return r;
    // Only ";" opens a comment; "#" is an ordinary character of a key.
    if (t.front() == ';') {
        r.rodzaj = Rodzaj::Komentarz;
        return r;
    }
    if (t.front() == '[') {
        const qsizetype zamkniecie = t.indexOf(']');
        r.rodzaj = Rodzaj::Sekcja;
        r.nazwa = przytnij(t.sliced(1, (zamkniecie < 0 ? t.size() : zamkniecie) - 1));
        return r;
    }
    const qsizetype rowna = linia.indexOf('=');
    if (rowna < 0) {
        r.rodzaj = Rodzaj::Inna;
        return r;
    }
    r.rodzaj = Rodzaj::Klucz;
    r.nazwa = przytnij(linia.first(rowna));
    r.wartoscOd = rowna + 1;
    while (r.wartoscOd < linia.size() && odstep(linia[r.wartoscOd]))
        ++r.wartoscOd;
    r.wartosc = przytnij(linia.sliced(r.wartoscOd));
    return r;
}

// What one pass over the file finds about a key.
struct Skan
{
    bool sekcja = false;          // the section exists
    qsizetype wstaw = 0;          // where a new key of the section goes
    bool wstawBezKonca = false;   // the line before that point ends the file without a line end
    bool klucz = false;           // the key exists
    qsizetype wartoscOd = 0;      // offset of its value in the file
    qsizetype wartoscDo = 0;      // end of the value's line text
    QByteArrayView wartosc;       // its value, trimmed
};

// A section named twice counts once: its first occurrence is read and
// written, later ones are ignored.
Skan skanuj(QByteArrayView dane, const KodowaniePliku &k, const QString &sekcja, const QString &klucz)
{
    Skan s;
    Linie linie(dane);
    Linia l;
    while (linie.nastepna(l)) {
        const QByteArrayView tekst = linie.tekst(l);
        const Rozbior r = rozbierz(tekst);
        if (r.rodzaj == Rodzaj::Sekcja) {
            if (s.sekcja)
                return s;
            if (toSamo(k, r.nazwa, sekcja)) {
                s.sekcja = true;
                s.wstaw = l.nastepna;
                s.wstawBezKonca = l.bezKonca;
            }
            continue;
        }
        if (!s.sekcja)
            continue;
        if (r.rodzaj == Rodzaj::Klucz && toSamo(k, r.nazwa, klucz)) {
            s.klucz = true;
            s.wartoscOd = l.poczatek + r.wartoscOd;
            s.wartoscDo = l.koniec;
            s.wartosc = r.wartosc;
            return s;
        }
        if (r.rodzaj == Rodzaj::Klucz || r.rodzaj == Rodzaj::Inna) {
            s.wstaw = l.nastepna;
            s.wstawBezKonca = l.bezKonca;
        }
    }
    return s;
}

std::optional<QByteArray> wczytaj(const QString &sciezka)
{
    // Only a regular file is read: opening a FIFO waits for a writer that may
    // never come, and a device may hand over bytes without end.
    if (!QFileInfo(sciezka).isFile())
        return std::nullopt;
    QFile plik(sciezka);
    if (!plik.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (plik.size() > kNajwiekszyPlik)
        return std::nullopt;
    QByteArray dane = plik.readAll();
    if (dane.size() > kNajwiekszyPlik)
        return std::nullopt;
    return dane;
}

QString wartoscZPliku(const KodowaniePliku &k, QByteArrayView surowa)
{
    // The value ends where a C string would: at the first NUL.
    const qsizetype nul = surowa.indexOf('\0');
    if (nul >= 0)
        surowa = przytnij(surowa.first(nul));
    if (surowa.size() >= 2 && surowa.front() == surowa.back()
        && (surowa.front() == '"' || surowa.front() == '\''))
        surowa = surowa.sliced(1, surowa.size() - 2);
    return k.tekst(surowa);
}

QByteArray koniecLinii(QByteArrayView dane)
{
    const qsizetype nl = dane.indexOf('\n');
    if (nl > 0 && dane[nl - 1] == '\r')
        return "\r\n";
    return nl >= 0 ? QByteArray("\n") : QByteArray("\r\n");
}

// A value, key or section name never spans lines.
QByteArray jednaLinia(const KodowaniePliku &k, const QString &tekst)
{
    QByteArray b = k.bajty(tekst);
    b.replace('\r', ' ').replace('\n', ' ').replace('\0', ' ');
    return b;
}

QByteArray zmien(const QByteArray &dane, const QString &sekcja, const QString &klucz,
                 const QString &wartosc)
{
    const KodowaniePliku k = KodowaniePliku::rozpoznaj(dane);
    const Skan s = skanuj(dane, k, sekcja, klucz);
    const QByteArray nowaWartosc = jednaLinia(k, wartosc);
    QByteArray wynik;
    if (s.klucz) {
        wynik.reserve(dane.size() + nowaWartosc.size());
        wynik.append(dane.first(s.wartoscOd)).append(nowaWartosc).append(dane.sliced(s.wartoscDo));
        return wynik;
    }
    const QByteArray eol = koniecLinii(dane);
    const QByteArray linia = jednaLinia(k, klucz) + '=' + nowaWartosc;
    if (s.sekcja) {
        wynik = dane;
        wynik.insert(s.wstaw, s.wstawBezKonca ? eol + linia : linia + eol);
        return wynik;
    }
    wynik = dane;
    if (!wynik.isEmpty() && !wynik.endsWith('\n'))
        wynik += eol;
    wynik += '[' + jednaLinia(k, sekcja) + ']' + eol + linia + eol;
    return wynik;
}

// The value as stored, whatever its length; nothing when the file, the
// section or the key is missing.
std::optional<QString> wartoscKlucza(const std::optional<QByteArray> &dane, const QString &sekcja,
                                     const QString &klucz)
{
    if (!dane)
        return std::nullopt;
    const KodowaniePliku k = KodowaniePliku::rozpoznaj(*dane);
    const Skan s = skanuj(*dane, k, jakWPliku(sekcja), jakWPliku(klucz));
    if (!s.klucz)
        return std::nullopt;
    return wartoscZPliku(k, s.wartosc);
}

std::optional<QString> wartoscKlucza(const QString &plik, const QString &sekcja, const QString &klucz)
{
    return wartoscKlucza(wczytaj(modNI::ZnajdzPlik(plik)), sekcja, klucz);
}

// What the 100-character buffer could not hold counts as not read.
QString wartoscZBufora(const std::optional<QString> &wartosc, const QString &domyslna)
{
    if (!wartosc || wartosc->size() >= modNI::kBuforWartosci - 1)
        return domyslna;
    return *wartosc;
}

} // namespace

namespace modNI {

QString ZnajdzPlik(const QString &plik)
{
    const QFileInfo info(plik);
    if (info.exists())
        return plik;
    // The shipped files are named in lower case; looking there first spares
    // a listing of the folder at every read.
    const QFileInfo malymi(info.absoluteDir().filePath(info.fileName().toLower()));
    if (malymi.isFile())
        return malymi.filePath();
    const QDir folder = info.absoluteDir();
    const QStringList nazwy = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &nazwa : nazwy)
        if (nazwa.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return folder.filePath(nazwa);
    return plik;
}

QString CzytajIni(QString Plik, QString Sekcja, QString Klucz, QString Domyslna)
{
    return wartoscZBufora(wartoscKlucza(Plik, Sekcja, Klucz), Domyslna);
}

OdczytIni::OdczytIni(const QString &plik) : m_dane(wczytaj(ZnajdzPlik(plik))) {}

QString OdczytIni::CzytajIni(const QString &Sekcja, const QString &Klucz, const QString &Domyslna) const
{
    return wartoscZBufora(wartoscKlucza(m_dane, Sekcja, Klucz), Domyslna);
}

bool ZaDlugaWartosc(const QString &Plik, const QString &Sekcja, const QString &Klucz)
{
    const auto wartosc = wartoscKlucza(Plik, Sekcja, Klucz);
    return wartosc && wartosc->size() >= kBuforWartosci - 1;
}

bool ZapiszIni(QString Plik, QString Sekcja, QString Klucz, QString Wartosc)
{
    // No other process works on a copy of the file that this save is about
    // to replace, nor this one on a copy another is replacing.
    const BlokadaZapisu blokada(ZnajdzPlik(Plik));
    const QString sciezka = ZnajdzPlik(Plik);
    const QFileInfo info(sciezka);
    QByteArray dane;
    QFileDevice::Permissions prawa = kPrawaNowegoPliku;
    if (info.exists()) {
        if (!info.isFile() || !info.isWritable())
            return false;
        const auto stare = wczytaj(sciezka);
        if (!stare)
            return false;
        dane = *stare;
        prawa = info.permissions();
    }
    const QByteArray nowe = zmien(dane, jakWPliku(Sekcja), jakWPliku(Klucz), Wartosc);

    QSaveFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly))
        return false;
    plik.setPermissions(prawa);
    // The buffer is written out here, where a full disk shows: commit() in
    // Qt 6.4 ignores a failure to flush and would put the cut new file in
    // place of the old one.
    if (plik.write(nowe) != nowe.size() || !plik.flush()) {
        plik.cancelWriting();
        return false;
    }
    return plik.commit();
}

QVector<Wpis> SekcjaOdczyt(const QString &sekcja, const QString &plik)
{
    QVector<Wpis> wynik;
    const auto dane = wczytaj(ZnajdzPlik(plik));
    if (!dane)
        return wynik;
    const KodowaniePliku k = KodowaniePliku::rozpoznaj(*dane);

    // The entries as the whole-section read hands them over: key=value, each
    // followed by a NUL, cut where the buffer ends.
    QByteArray bufor;
    const QString szukana = jakWPliku(sekcja);
    Linie linie(*dane);
    Linia l;
    bool wSekcji = false;
    while (linie.nastepna(l) && bufor.size() < kBuforSekcji) {
        const Rozbior r = rozbierz(linie.tekst(l));
        if (r.rodzaj == Rodzaj::Sekcja) {
            // Only the first section of the name is delivered.
            if (wSekcji)
                break;
            wSekcji = toSamo(k, r.nazwa, szukana);
            continue;
        }
        if (!wSekcji)
            continue;
        if (r.rodzaj == Rodzaj::Klucz)
            bufor.append(r.nazwa).append('=').append(r.wartosc).append('\0');
        else if (r.rodzaj == Rodzaj::Inna)
            bufor.append(przytnij(linie.tekst(l))).append('\0');
    }
    // With the closing NUL the entries need one character more; when they do
    // not fit, the section arrives cut at two characters short of the buffer.
    if (bufor.size() + 1 > kBuforSekcji)
        bufor.truncate(kBuforSekcji - 2);

    const QList<QByteArray> kawalki = bufor.split('\0');
    for (qsizetype i = 0; i + 1 < kawalki.size(); ++i) {
        const QByteArray &wpis = kawalki.at(i);
        const qsizetype rowna = wpis.indexOf('=');
        if (rowna < 0)
            continue;
        const qsizetype druga = wpis.indexOf('=', rowna + 1);
        wynik.append({k.tekst(QByteArrayView(wpis).first(rowna)),
                      k.tekst(QByteArrayView(wpis).sliced(
                          rowna + 1, (druga < 0 ? wpis.size() : druga) - rowna - 1))});
    }
    return wynik;
}

void UsunPozostalosciZapisu(const QString &plik)
{
    // A save writes `<name>.XXXXXX` beside the file and renames it over the
    // file; a crash in between leaves it behind.
    const QFileInfo info(plik);
    const QString baza = info.fileName();
    // Matched by hand: a regular expression would be compiled at every start
    // for a handful of names.
    const auto pozostalosc = [&baza](const QString &n) {
        if (n.size() != baza.size() + 7 || !n.startsWith(baza, Qt::CaseInsensitive) || n.at(baza.size()) != u'.')
            return false;
        return std::all_of(n.cbegin() + baza.size() + 1, n.cend(), [](QChar c) {
            return c.unicode() < 128 && c.isLetterOrNumber();
        });
    };
    const QDir folder = info.absoluteDir();
    const QDateTime granica = QDateTime::currentDateTimeUtc().addSecs(-kWiekPozostalosciS);
    const QFileInfoList kandydaci = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &f : kandydaci)
        if (pozostalosc(f.fileName()) && f.lastModified().toUTC() < granica)
            QFile::remove(f.filePath());
}

} // namespace modNI
