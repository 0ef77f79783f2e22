// The traffic monitor: its lines built from the line's events, its bounded
// history with pause, clear and save, and its lines against what the converter
// emulator logged as received and sent, byte for byte.
#include "config/kodowanie.h"
#include "monitor/model_monitora.h"
#include "serial/polaczenie.h"
#include "simulator/nadajnik.h"
#include "simulator/wartosci.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using R = ZdarzenieLinii::Rodzaj;
using Co = Znaczenie::Co;
using Kolumna = SkladanieLinii::Kolumna;

// An event `ms` after `t0`.
struct Zd
{
    R rodzaj;
    int ms = 0;
    QByteArray bajty = {};
    QString tekst = {};
    Znaczenie znaczenie = {};
};

Zd zn(Co co, char polecenie, int ms = 0, QString wartosc = {}, qint64 trwanie = -1)
{
    return {R::Znaczenie, ms, {}, {}, {co, polecenie, std::move(wartosc), trwanie}};
}

ZdarzenieLinii zdarzenie(const Zd &z, ZdarzenieLinii::Zegar::time_point t0)
{
    ZdarzenieLinii e;
    e.rodzaj = z.rodzaj;
    e.czas = t0 + std::chrono::milliseconds(z.ms);
    e.bajty = z.bajty;
    e.tekst = z.tekst;
    e.znaczenie = z.znaczenie;
    return e;
}

QString opis(const SkladanieLinii &s, const LiniaMonitora &l)
{
    QStringList k;
    for (const Kolumna c : {Kolumna::Kierunek, Kolumna::Tekst, Kolumna::Hex, Kolumna::Znaczenie})
        k << s.kolumna(l, c);
    return k.join(u'|');
}

QStringList linieModelu(ModelMonitora &m)
{
    m.opublikuj();
    QStringList wynik;
    for (int i = 0; i < m.rowCount(); ++i) {
        QStringList k;
        for (const Kolumna c : {Kolumna::Kierunek, Kolumna::Tekst, Kolumna::Hex, Kolumna::Znaczenie})
            k << m.data(m.index(i, int(c))).toString();
        wynik << k.join(u'|');
    }
    return wynik;
}

// The bytes of the model's lines in one direction, repeats counted, joined.
QByteArray bajtyModelu(ModelMonitora &m, const QString &kierunek)
{
    m.opublikuj();
    QByteArray wynik;
    for (int i = 0; i < m.rowCount(); ++i) {
        if (m.data(m.index(i, int(Kolumna::Kierunek))).toString() != kierunek)
            continue;
        const QByteArray b = QByteArray::fromHex(m.data(m.index(i, int(Kolumna::Hex))).toString().toLatin1());
        const QRegularExpressionMatch razy =
            QRegularExpression("×(\\d+),").match(m.data(m.index(i, int(Kolumna::Znaczenie))).toString());
        for (int n = razy.hasMatch() ? razy.captured(1).toInt() : 1; n > 0; --n)
            wynik += b;
    }
    return wynik;
}

QByteArray zlacz(const QList<QByteArray> &ramki)
{
    QByteArray b;
    for (const QByteArray &r : ramki)
        b += r;
    return b;
}

} // namespace

class TestMonitor : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void linie()
    {
        const QByteArray zapMax("\x01" "2?\x04");
        const QString hexMax = "01 32 3F 04";
        struct Przypadek { const char *nazwa; QList<Zd> zdarzenia; QStringList linie; };
        const QList<Przypadek> przypadki = {
            {"answered query",
             {zn(Co::Zapytanie, '2'), {R::Zapis, 0, zapMax}, {R::Odczyt, 25, "\x01" "2001500\x04"},
              zn(Co::Wartosc, '2', 25, "001500", 23)},
             {"TX|<SOH>2?<EOT>|" + hexMax + "|zapytanie: maksimum",
              "RX|<SOH>2001500<EOT>|01 32 30 30 31 35 30 30 04|odpowiedź po 23 ms: 001500"}},
            {"split answer, the outcome on its last piece",
             {zn(Co::Zapytanie, '2'), {R::Zapis, 0, zapMax}, {R::Odczyt, 25, "\x01" "20"},
              {R::Odczyt, 30, "01500\x04"}, zn(Co::Wartosc, '2', 30, "001500", 28), {R::Zamkniecie, 31}},
             {"TX|<SOH>2?<EOT>|" + hexMax + "|zapytanie: maksimum", "RX|<SOH>20|01 32 30|",
              "RX|01500<EOT>|30 31 35 30 30 04|odpowiedź po 28 ms: 001500", "PORT|||port zamknięty"}},
            {"silent converter after a set command",
             {{R::Otwarcie, 0, {}, "/dev/x 9600,N,8,1"}, zn(Co::Ustawienie, '0', 0, "1"),
              {R::Zapis, 0, "\x01" "01\x04"}, zn(Co::CzasMinal, '0', 2021, {}, 2001), {R::Zamkniecie, 2021}},
             {"PORT|||port otwarty: /dev/x 9600,N,8,1", "TX|<SOH>01<EOT>|01 30 31 04|ustawienie: tryb pracy = 1",
              "--|||brak odpowiedzi: czas minął po 2001 ms", "PORT|||port zamknięty"}},
            {"garbage around the answer; bytes that are no letters",
             {zn(Co::Zapytanie, '0'), {R::Zapis, 0, "\x01" "0?\x04"}, {R::Odczyt, 22, "\x1b\x01" "00\x04X"},
              zn(Co::Niepoprawna, '0', 22, {}, 12), {R::Odczyt, 40, "\xb9\x81\x7f\x02"}},
             {"TX|<SOH>0?<EOT>|01 30 3F 04|zapytanie: tryb pracy",
              "RX|<0x1B><SOH>00<EOT>X|1B 01 30 30 04 58|odpowiedź niepoprawna po 12 ms",
              "RX|ą<0x81><0x7F><0x02>|B9 81 7F 02|"}},
            {"the answer to a set command; a value with a control character",
             {zn(Co::Ustawienie, '2', 0, "001200"), {R::Zapis, 0, "\x01" "2001200\x04"},
              {R::Odczyt, 30, "\x01" "2001200\x04"}, zn(Co::OdpowiedzUstawienia, '2', 30, {}, 9),
              zn(Co::Zapytanie, '3', 40), {R::Zapis, 40, "\x01" "3?\x04"}, {R::Odczyt, 70, "\x01" "3A\tB\x04"},
              zn(Co::Wartosc, '3', 70, "A\tB", 8)},
             {"TX|<SOH>2001200<EOT>|01 32 30 30 31 32 30 30 04|ustawienie: maksimum = 001200",
              "RX|<SOH>2001200<EOT>|01 32 30 30 31 32 30 30 04|odpowiedź na ustawienie po 9 ms (nie sprawdzana)",
              "TX|<SOH>3?<EOT>|01 33 3F 04|zapytanie: wersja",
              "RX|<SOH>3A<0x09>B<EOT>|01 33 41 09 42 04|odpowiedź po 8 ms: A<0x09>B"}},
            {"identical frames in a row count on one line",
             {zn(Co::RamkaWagi, 0, 0), {R::Zapis, 0, " 1.5 kg\r\n"}, zn(Co::RamkaWagi, 0, 50),
              {R::Zapis, 50, " 1.5 kg\r\n"}, zn(Co::RamkaWagi, 0, 101), {R::Zapis, 101, " 1.5 kg\r\n"},
              zn(Co::RamkaWagi, 0, 150), {R::Zapis, 150, " 1.6 kg\r\n"}, {R::Odczyt, 160, "\x05"},
              {R::Odczyt, 170, "\x05"}},
             {"TX| 1.5 kg<CR><LF>|20 31 2E 35 20 6B 67 0D 0A|ramka wagi, ×3, okres średnio 50.5 ms, ostatnio 51.0 ms",
              "TX| 1.6 kg<CR><LF>|20 31 2E 36 20 6B 67 0D 0A|ramka wagi",
              "RX|<0x05>|05|×2, okres średnio 10.0 ms, ostatnio 10.0 ms"}},
            {"the line lost in the middle of an exchange",
             {zn(Co::Zapytanie, '1'), {R::Zapis, 0, "\x01" "1?\x04"}, {R::Odczyt, 20, "\x01"},
              {R::Blad, 21, {}, "/dev/x: Input/output error"}, {R::Zamkniecie, 21},
              zn(Co::CzasMinal, '1', 22, {}, 2)},
             {"TX|<SOH>1?<EOT>|01 31 3F 04|zapytanie: typ ramki", "RX|<SOH>|01|",
              "PORT|||błąd portu: /dev/x: Input/output error", "PORT|||port zamknięty",
              "--|||brak odpowiedzi: czas minął po 2 ms"}},
        };
        for (const Przypadek &p : przypadki) {
            SkladanieLinii s{TekstyMonitora()};
            const auto t0 = ZdarzenieLinii::Zegar::now();
            QStringList linie;
            for (const Zd &z : p.zdarzenia) {
                const auto skutek = s.dodaj(zdarzenie(z, t0));
                if (skutek == SkladanieLinii::Skutek::Nowa)
                    linie << opis(s, s.ostatnia());
                else if (skutek == SkladanieLinii::Skutek::Zmieniona)
                    linie.last() = opis(s, s.ostatnia());
            }
            QCOMPARE(QString(p.nazwa) + "\n" + linie.join("\n"), QString(p.nazwa) + "\n" + p.linie.join("\n"));
        }
    }

    // Both shipped language files hold every text of the monitor: reading
    // them adds nothing to them.
    void teksty()
    {
        struct Jezykowy { const char *plik; QString zapytanie, naglowek; };
        for (const Jezykowy &j : {Jezykowy{"set.lng", "zapytanie: maksimum", "Znaczenie"},
                                  Jezykowy{"lang/en/set.lng", "query: maximum", "Meaning"}}) {
            const QString kopia = m_dir.filePath("monitor.lng");
            QFile::remove(kopia);
            QVERIFY(QFile::copy(QStringLiteral(KONWERTER_DANE "/") + j.plik, kopia));
            QFile f(kopia);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray przed = f.readAll();
            f.close();
            SkladanieLinii s{TekstyMonitora::wczytaj(Jezyk(kopia))};
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), przed);
            const auto t0 = ZdarzenieLinii::Zegar::now();
            s.dodaj(zdarzenie(zn(Co::Zapytanie, '2'), t0));
            s.dodaj(zdarzenie({R::Zapis, 0, "\x01" "2?\x04"}, t0));
            QCOMPARE(s.kolumna(s.ostatnia(), Kolumna::Znaczenie), j.zapytanie);
            QCOMPARE(s.naglowek(Kolumna::Znaczenie), j.naglowek);
        }
    }

    void historia()
    {
        ModelMonitora m{TekstyMonitora()};
        const auto t0 = ZdarzenieLinii::Zegar::now();
        const auto wyslij = [&](const QByteArray &b, int ms) { m.zdarzenie(zdarzenie({R::Zapis, ms, b}, t0)); };
        const auto tekstWiersza = [&](int w) { return m.data(m.index(w, int(Kolumna::Tekst))).toString(); };
        const int n = int(ModelMonitora::kNajwiecejLinii);
        for (int i = 0; i < n + 5; ++i)
            wyslij(QByteArray::number(i), i);
        // New lines reach the view in batches.
        QCOMPARE(m.rowCount(), 0);
        m.opublikuj();
        QCOMPARE(m.rowCount(), n);
        QCOMPARE(tekstWiersza(0), QString("5"));

        // Paused: the view stands still, the repeat counting on its last line
        // included, while the capture goes on.
        m.wstrzymaj(true);
        wyslij(QByteArray::number(n + 4), n + 10);
        wyslij("nowa", n + 20);
        wyslij("nowa", n + 30);
        m.opublikuj();
        QCOMPARE(m.rowCount(), n);
        QCOMPARE(tekstWiersza(0), QString("5"));
        QCOMPARE(m.data(m.index(n - 1, int(Kolumna::Znaczenie))).toString(), QString());
        QCOMPARE(m.liczbaLinii(), qsizetype(n + 1));
        m.wstrzymaj(false);
        QCOMPARE(m.rowCount(), n);
        QCOMPARE(tekstWiersza(0), QString("6"));
        QCOMPARE(tekstWiersza(n - 1), QString("nowa"));
        QCOMPARE(m.data(m.index(n - 2, int(Kolumna::Znaczenie))).toString().left(3), QString("×2,"));

        // Copy and save hold the lines as they are shown; the files are Windows-1250 with CRLF.
        m.wyczysc();
        QCOMPARE(m.rowCount(), 0);
        wyslij("\xb9,\"\r\n", 1);
        wyslij("\xb9,\"\r\n", 3);
        m.zdarzenie(zdarzenie({R::Zamkniecie, 4}, t0));
        m.opublikuj();
        QCOMPARE(m.rowCount(), 2);
        const QString skopiowane = m.tekst({1});
        QVERIFY2(skopiowane.endsWith("  PORT  port zamknięty\n"), qPrintable(skopiowane));
        QCOMPARE(m.tekst().count('\n'), 2);

        const QString csv = m_dir.filePath("ruch.csv");
        QString blad;
        QVERIFY(m.zapiszCsv(csv, &blad));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> wiersze = f.readAll().split('\n');
        QCOMPARE(wiersze.size(), 4);
        QCOMPARE(wiersze[0], Kodowanie::doAnsi("Czas [ms],Godzina,Kierunek,Tekst,Szesnastkowo,Znaczenie\r"));
        QVERIFY2(wiersze[1].endsWith(Kodowanie::doAnsi(
                     ",TX,\"ą,\"\"<CR><LF>\",B9 2C 22 0D 0A,\"×2, okres średnio 2.0 ms, ostatnio 2.0 ms\"\r")),
                 wiersze[1].constData());
        QVERIFY(m.zapiszTekst(m_dir.filePath("ruch.txt"), &blad));
        QFile t(m_dir.filePath("ruch.txt"));
        QVERIFY(t.open(QIODevice::ReadOnly));
        QCOMPARE(Kodowanie::zAnsi(t.readAll()), QString(m.tekst()).replace("\n", "\r\n"));

        QVERIFY(!m.zapiszCsv(m_dir.filePath("brak/ruch.csv"), &blad));
        QVERIFY(!blad.isEmpty());
    }

    // The monitor's lines hold every byte the emulator received and sent, in
    // order, however the answer comes.
    void zEmulatorem()
    {
        struct Przypadek { QStringList emulator; QStringList wyniki; };
        const QList<Przypadek> przypadki = {
            {{}, {"odpowiedź po # ms: 001500", "odpowiedź na ustawienie po # ms (nie sprawdzana)",
                  "odpowiedź po # ms: 1", "odpowiedź po # ms: KCI 1.07"}},
            {{"--split", "2"}, {"odpowiedź po # ms: 001500", "odpowiedź na ustawienie po # ms (nie sprawdzana)",
                                "odpowiedź po # ms: 1", "odpowiedź po # ms: KCI 1.07"}},
            {{"--noise", "~\x1b"}, {"odpowiedź niepoprawna po # ms", "odpowiedź na ustawienie po # ms (nie sprawdzana)",
                                    "odpowiedź niepoprawna po # ms", "odpowiedź niepoprawna po # ms"}},
            {{"--trailing", "\r\n"}, {"odpowiedź niepoprawna po # ms", "odpowiedź na ustawienie po # ms (nie sprawdzana)",
                                      "odpowiedź niepoprawna po # ms", "odpowiedź niepoprawna po # ms"}},
            {{"--wrong-length"}, {"odpowiedź niepoprawna po # ms", "odpowiedź na ustawienie po # ms (nie sprawdzana)",
                                  "odpowiedź niepoprawna po # ms", "odpowiedź po # ms: KCI 1.070"}},
            {{"--silent"}, {"brak odpowiedzi: czas minął po # ms"}},
        };
        for (const Przypadek &p : przypadki) {
            auto e = emulator(p.emulator);
            Polaczenie pol(e->urzadzenie(), m_dir.path());
            ModelMonitora m{TekstyMonitora()};
            pol.port.ustawPodsluch(&m);
            pol.protokol.PobierzMax();
            if (p.wyniki.size() > 1) {
                pol.protokol.WyslijTryb("1");
                pol.protokol.PobierzWersje();
            }
            pol.port.ustawPodsluch(nullptr);
            e->czekajNaLinie("TX ", 500);

            const QString nazwa = p.emulator.join(' ');
            QCOMPARE(nazwa + ": " + bajtyModelu(m, "TX").toHex(' '), nazwa + ": " + zlacz(e->rx()).toHex(' '));
            QCOMPARE(nazwa + ": " + bajtyModelu(m, "RX").toHex(' '), nazwa + ": " + zlacz(e->tx()).toHex(' '));
            QStringList wyniki;
            int otwarte = 0, zamkniete = 0;
            for (const QString &l : linieModelu(m)) {
                QString z = l.section(u'|', 3);
                if (z.startsWith("odpowiedź") || z.startsWith("brak"))
                    wyniki << z.replace(QRegularExpression("po \\d+ ms"), "po # ms");
                otwarte += z.startsWith("port otwarty: " + e->urzadzenie() + " 9600,N,8,1");
                zamkniete += z == "port zamknięty";
            }
            QCOMPARE(nazwa + ": " + wyniki.join(" / "), nazwa + ": " + p.wyniki.join(" / "));
            QCOMPARE(otwarte, p.wyniki.size());
            QCOMPARE(zamkniete, p.wyniki.size());
        }
    }

    // Continuous sending: one line for the whole run, counting every frame the
    // emulator received.
    void nadawanieCiagle()
    {
        auto e = emulator({"--quiet-frames"});
        Polaczenie pol(e->urzadzenie(), m_dir.path());
        ModelMonitora m{TekstyMonitora()};
        pol.port.ustawPodsluch(&m);
        Wartosci wartosci;
        wartosci.BiezacaRamka = "  1.234 kg";
        Nadajnik nadajnik(pol.port, wartosci);
        QVERIFY(pol.lacze.OtworzPort());
        nadajnik.wlacz();
        QTest::qWait(600);
        nadajnik.wylacz();
        pol.port.doczekajWyslania(1000);
        pol.lacze.ZamknijPort();

        const QStringList l = linieModelu(m);
        QCOMPARE(l.size(), 3);
        QCOMPARE(l[1].section(u'|', 0, 2), QString("TX|  1.234 kg<CR><LF>|20 20 31 2E 32 33 34 20 6B 67 0D 0A"));
        QVERIFY2(l[1].section(u'|', 3).startsWith(QString("ramka wagi, ×%1, okres średnio ").arg(nadajnik.wyslane())),
                 qPrintable(l[1]));
        QTRY_COMPARE(e->statystyka().ramki, int(nadajnik.wyslane()));

        // Nobody watching: nothing is recorded.
        pol.port.ustawPodsluch(nullptr);
        pol.protokol.PobierzTryb();
        QCOMPARE(m.liczbaLinii(), qsizetype(3));
    }

    void brakPortu()
    {
        Polaczenie pol("/dev/nie-ma-takiego-portu", m_dir.path());
        ModelMonitora m{TekstyMonitora()};
        pol.port.ustawPodsluch(&m);
        QCOMPARE(pol.protokol.PobierzMax(), QString());
        const QStringList l = linieModelu(m);
        QCOMPARE(l.size(), 1);
        QVERIFY2(l[0].startsWith("PORT|||błąd portu: /dev/nie-ma-takiego-portu: "), qPrintable(l[0]));
    }
};

QTEST_GUILESS_MAIN(TestMonitor)
#include "test_monitor.moc"
