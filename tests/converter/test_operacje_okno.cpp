#include "chart/obrazy_trybow.h"
#include "controls/textxp.h"
#include "converter/operacje.h"
#include "wspolne/emulator.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

namespace {

const QString kCzas = QStringLiteral("Przekroczony czas oczekiwania!");
using Ikona = Komunikaty::Ikona;

const QByteArray kKatalog = "[typy ramek]\r\n1=Jeden\r\n2=Dwa\r\nALL=Wszystkie\r\n"
                            "[wagi]\r\nA=1\r\nB=2\r\n[parametry]\r\nramka=1\r\nmode=1\r\nmax=250\r\n";

} // namespace

class TestOperacjeOkno : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EmulatorTestowy> m_emu;
    std::unique_ptr<UruchomioneOkno> m_o;

    UruchomioneOkno &okno(const QStringList &argumenty)
    {
        m_emu = std::make_unique<EmulatorTestowy>();
        if (!m_emu->uruchom(argumenty))
            qFatal("the emulator did not start");
        m_o = std::make_unique<UruchomioneOkno>(m_dir->path(), m_emu->urzadzenie());
        return *m_o;
    }
    QStringList teksty() const { return m_o->komunikaty.teksty(); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(zapiszBajty(m_dir->filePath("settings.ini"), kKatalog));
    }

    void cleanup()
    {
        m_o.reset();
        m_emu.reset();
    }

    void maksimum()
    {
        UruchomioneOkno &o = okno({"--max", "001500"});
        o.klik("lblPlik");
        o.klik("cmdOdbierzMax");
        QCOMPARE(o.w<TextXP>("txtMaxVal")->Text(), QString("001500"));
        QCOMPARE(o.w<QSlider>("Slider1")->minimum(), -1500);
        QVERIFY(o.komunikaty.lista.isEmpty());

        o.w<TextXP>("txtMaxVal")->setText("");
        o.klik("cmdUstawMax");
        QVERIFY(o.komunikaty.lista.isEmpty());
        o.w<TextXP>("txtMaxVal")->setText("1500");
        o.klik("cmdUstawMax");
        QCOMPARE(m_emu->rx().mid(1), (QList<QByteArray>{"\x01" "2000000\x04", "\x01" "2?\x04",
                                                        "\x01" "2001500\x04", "\x01" "2?\x04"}));
        QVERIFY(o.komunikaty.lista.isEmpty());
    }

    void maksimumNieUstawione()
    {
        UruchomioneOkno &o = okno({"--ignore-set", "--max", "000100"});
        o.klik("lblPlik");
        o.klik("cmdUstawMax");
        QCOMPARE(teksty(), QStringList{Operacje::kBladZapisu});
        QCOMPARE(o.komunikaty.lista[0].first, Ikona::Informacja);
        QCOMPARE(o.w<TextXP>("txtMaxVal")->Text(), QString("000250"));
    }

    void ramka()
    {
        UruchomioneOkno &o = okno({"--frame", "2"});
        o.klik("lblPlik");
        auto *typy = o.w<QListWidget>("lstTypRamki");
        o.klik("cmdOdbierzRamke");
        QCOMPARE(typy->currentRow(), 1);
        QVERIFY(o.komunikaty.lista.isEmpty());

        // "ALL" is not a number: nothing goes out.
        typy->setCurrentRow(2);
        const int przed = m_emu->rx().size();
        o.klik("cmdUstawRamke");
        QCOMPARE(m_emu->rx().size(), przed);

        typy->setCurrentRow(0);
        o.klik("cmdUstawRamke");
        QCOMPARE(m_emu->rx().mid(przed), (QList<QByteArray>{"\x01" "11\x04", "\x01" "1?\x04"}));
        QVERIFY(o.komunikaty.lista.isEmpty());
    }

    void ramkaNieznana()
    {
        UruchomioneOkno &o = okno({"--frame", "9"});
        o.klik("lblPlik");
        o.klik("cmdOdbierzRamke");
        QCOMPARE(teksty(), QStringList{Operacje::kNieznanaWartosc});
        QCOMPARE(o.w<QListWidget>("lstTypRamki")->currentRow(), 0);
    }

    void tryb()
    {
        UruchomioneOkno &o = okno({"--mode", "2"});
        o.klik("lblzdarzenia");
        QVERIFY(o.w<QRadioButton>("opModPracy_1")->isChecked());
        o.klik("cmdOdbierzMod");
        QVERIFY(o.w<QRadioButton>("opModPracy_2")->isChecked());
        QCOMPARE(o.w<ObrazTrybu>("Image5")->Picture(), 3);
        o.klik("opModPracy_0");
        o.klik("cmdUstawMod");
        o.klik("opModPracy_2");
        o.klik("cmdUstawMod");
        QCOMPARE(m_emu->rx().mid(1), (QList<QByteArray>{"\x01" "00\x04", "\x01" "0?\x04",
                                                        "\x01" "02\x04", "\x01" "0?\x04"}));
        QVERIFY(o.komunikaty.lista.isEmpty());
    }

    void trybSpozaZakresu()
    {
        UruchomioneOkno &o = okno({"--mode", "7", "--ignore-set"});
        o.klik("lblzdarzenia");
        o.w<ObrazTrybu>("Image5")->setPicture(0);
        o.klik("cmdOdbierzMod");
        QCOMPARE(teksty(), QStringList{"7"});
        QVERIFY(o.w<QRadioButton>("opModPracy_1")->isChecked());
        // The picture of the mode kept is shown again.
        QCOMPARE(o.w<ObrazTrybu>("Image5")->Picture(), 2);

        o.komunikaty.lista.clear();
        o.klik("cmdUstawMod");
        QCOMPARE(teksty(), (QStringList{"7", Operacje::kBladZapisu}));
    }

    void znieksztalconeOdpowiedzi()
    {
        UruchomioneOkno &o = okno({"--trailing", "#"});
        o.klik("lblzdarzenia");
        o.klik("cmdOdbierzMod");
        QCOMPARE(teksty(), QStringList{"\x01" "00\x04#"});
        QVERIFY(o.w<QRadioButton>("opModPracy_1")->isChecked());
        o.komunikaty.lista.clear();
        o.klik("cmdUstawMod");
        QCOMPARE(teksty(), (QStringList{"\x01" "01\x04#", Operacje::kBladZapisu}));
        o.klik("cmdWersja");
        QCOMPARE(o.w<QLabel>("lblWersja")->text(), QString("\x01" "3KCI 1.07\x04#"));
    }

    void milczacyKonwerter()
    {
        UruchomioneOkno &o = okno({"--silent"});
        o.klik("lblzdarzenia");
        o.klik("cmdWersja");
        QCOMPARE(o.w<QLabel>("lblWersja")->text(), kCzas);
        QVERIFY(!o.w<QLabel>("txtTransmisja")->isVisible());
        // Setting mode 0 that times out says only that.
        o.klik("opModPracy_0");
        o.klik("cmdUstawMod");
        QCOMPARE(teksty(), QStringList{kCzas});
        QCOMPARE(o.komunikaty.lista[0].first, Ikona::Informacja);
    }

    void portNiedostepny()
    {
        m_o = std::make_unique<UruchomioneOkno>(m_dir->path(), "/dev/nie-ma-takiego-portu");
        UruchomioneOkno &o = *m_o;
        o.klik("lblzdarzenia");
        o.klik("cmdOdbierzMod");
        QCOMPARE(teksty(), (QStringList{"Port com1 nie jest zainstalowany", ""}));
        QCOMPARE(o.komunikaty.lista[0].first, Ikona::Krytyczna);
        QCOMPARE(o.komunikaty.lista[1].first, Ikona::Informacja);
        QVERIFY(o.w<QRadioButton>("opModPracy_1")->isChecked());

        o.komunikaty.lista.clear();
        o.klik("cmdUstawMod");
        QCOMPARE(teksty(), (QStringList{"Port com1 nie jest zainstalowany", "", Operacje::kBladZapisu}));
        o.w<QLabel>("lblWersja")->setText("stara");
        o.klik("cmdWersja");
        QCOMPARE(o.w<QLabel>("lblWersja")->text(), QString(""));
        // Nothing the user reads or sets is stored.
        QCOMPARE(czytajBajty(m_dir->filePath("settings.ini")), kKatalog);
    }
};

QTEST_MAIN(TestOperacjeOkno)
#include "test_operacje_okno.moc"
