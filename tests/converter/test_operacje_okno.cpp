#include "okna/etykieta_skrocona.h"
#include "okna/obrazy_trybow.h"
#include "controls/textxp.h"
#include "converter/operacje.h"
#include "serial/polaczenie.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

#include <functional>

namespace {

const QByteArray kKatalog = "[typy ramek]\r\n1=Jeden\r\n2=Dwa\r\n03=Trzy\r\nALL=Wszystkie\r\n"
                            "[wagi]\r\nA=1\r\nB=2\r\n[parametry]\r\nramka=1\r\nmode=1\r\nmax=250\r\n";

using Lista = QList<QPair<Komunikaty::Ikona, QString>>;

// Calls `co` when `obiekt` gets an event of type `typ`.
class FiltrZdarzen : public QObject
{
public:
    FiltrZdarzen(QObject *obiekt, QEvent::Type typ, std::function<void()> co) : m_typ(typ), m_co(std::move(co))
    {
        obiekt->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == m_typ)
            m_co();
        return false;
    }

private:
    QEvent::Type m_typ;
    std::function<void()> m_co;
};

// The messages the operations show: information messages only.
Lista informacje(const QStringList &teksty)
{
    Lista l;
    for (const QString &t : teksty)
        l.append({Komunikaty::Ikona::Informacja, t});
    return l;
}

} // namespace

class TestOperacjeOkno : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EmulatorTestowy> m_emu;
    std::unique_ptr<UruchomioneOkno> m_o;

    // The window on a converter started with `argumenty`, with one panel shown.
    UruchomioneOkno &okno(const QStringList &argumenty, const QString &zakladka)
    {
        m_emu = emulator(argumenty);
        m_o = std::make_unique<UruchomioneOkno>(m_dir->path(), m_emu->urzadzenie());
        m_o->klik(zakladka);
        return *m_o;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(zapiszBajty(m_dir->filePath("settings.ini"), kKatalog));
    }

    void maksimum()
    {
        // The converter keeps its own maximum, so only 1500 reads back as written.
        UruchomioneOkno &o = okno({"--ignore-set", "--max", "001500"}, "lblPlik");
        auto *pole = o.w<TextXP>("txtMaxVal");
        o.klik("cmdUstawMax");
        QCOMPARE(o.komunikaty.lista, informacje({Operacje::kBladZapisu}));
        QCOMPARE(pole->Text(), QString("000250"));
        o.klik("cmdOdbierzMax");
        QCOMPARE(pole->Text(), QString("001500"));
        QCOMPARE(o.w<QSlider>("Slider1")->minimum(), -1500);
        pole->setText("");
        o.klik("cmdUstawMax");
        pole->setText("1500");
        o.klik("cmdUstawMax");
        QCOMPARE(o.komunikaty.lista, informacje({Operacje::kBladZapisu, Operacje::kBladZapisu}));
        QCOMPARE(m_emu->rx(), (QList<QByteArray>{"\x01" "2000250\x04", "\x01" "2?\x04", "\x01" "2?\x04",
                                                 "\x01" "2000000\x04", "\x01" "2?\x04",
                                                 "\x01" "2001500\x04", "\x01" "2?\x04"}));
    }

    void ramka()
    {
        UruchomioneOkno &o = okno({"--frame", "2"}, "lblPlik");
        auto *typy = o.w<QListWidget>("lstTypRamki");
        o.klik("cmdOdbierzRamke");
        QCOMPARE(typy->currentRow(), 1);
        // "ALL" is not a number: nothing goes out.
        typy->setCurrentRow(3);
        o.klik("cmdUstawRamke");
        // "03" goes out as 3 and reads back as 3, which as text is no code.
        typy->setCurrentRow(2);
        o.klik("cmdUstawRamke");
        QVERIFY(o.komunikaty.lista.isEmpty());
        o.klik("cmdOdbierzRamke");
        QCOMPARE(o.komunikaty.lista, informacje({Operacje::kNieznanaWartosc}));
        QCOMPARE(typy->currentRow(), 2);
        QCOMPARE(m_emu->rx(), (QList<QByteArray>{"\x01" "1?\x04", "\x01" "13\x04", "\x01" "1?\x04", "\x01" "1?\x04"}));
        // Nothing the user reads or sets is stored.
        QCOMPARE(czytajBajty(m_dir->filePath("settings.ini")), kKatalog);
    }

    // Each row ends by reading the version from the same converter.
    void tryb_data()
    {
        QTest::addColumn<QStringList>("argumenty");
        QTest::addColumn<int>("wybrany");
        QTest::addColumn<bool>("odczyt");
        QTest::addColumn<QStringList>("komunikaty");
        QTest::addColumn<int>("potem");
        QTest::addColumn<QString>("wersja");
        const QString blad = Operacje::kBladZapisu;
        const QString wersja = "KCI 1.07";
        const QString zla = "\x01" "3KCI 1.07\x04#";
        QTest::newRow("odczyt") << QStringList{"--mode", "2"} << 1 << true << QStringList{} << 2 << wersja;
        // Outside 0-2 or malformed: shown, and the mode kept shows its picture again.
        QTest::newRow("odczyt 7") << QStringList{"--mode", "7"} << 1 << true << QStringList{"7"} << 1 << wersja;
        QTest::newRow("odczyt znieksztalcony") << QStringList{"--trailing", "#"} << 2 << true
                                               << QStringList{"\x01" "00\x04#"} << 2 << zla;
        QTest::newRow("ustawienie 2") << QStringList{} << 2 << false << QStringList{} << 2 << wersja;
        QTest::newRow("nieprzyjete") << QStringList{"--mode", "2", "--ignore-set"} << 1 << false
                                     << QStringList{blad} << 1 << wersja;
        QTest::newRow("nieprzyjete, 7") << QStringList{"--mode", "7", "--ignore-set"} << 1 << false
                                        << QStringList{"7", blad} << 1 << wersja;
        QTest::newRow("znieksztalcone") << QStringList{"--trailing", "#"} << 1 << false
                                        << QStringList{"\x01" "01\x04#", blad} << 1 << zla;
        // A time-out while setting mode 0 says only that.
        QTest::newRow("0 bez odpowiedzi") << QStringList{"--silent"} << 0 << false << QStringList{kCzas} << 0 << kCzas;
    }

    void tryb()
    {
        QFETCH(QStringList, argumenty);
        QFETCH(int, wybrany);
        QFETCH(bool, odczyt);
        QFETCH(QStringList, komunikaty);
        QFETCH(int, potem);
        QFETCH(QString, wersja);
        UruchomioneOkno &o = okno(argumenty, "lblzdarzenia");
        o.klik(QString("opModPracy_%1").arg(wybrany));
        auto *obraz = o.w<ObrazTrybu>("Image5");
        obraz->setPicture(0);
        o.klik(odczyt ? "cmdOdbierzMod" : "cmdUstawMod");
        QCOMPARE(o.komunikaty.lista, informacje(komunikaty));
        QVERIFY(o.w<QRadioButton>(QString("opModPracy_%1").arg(potem))->isChecked());
        QCOMPARE(obraz->Picture(), odczyt ? potem + 1 : 0);
        QList<QByteArray> wyslane{"\x01" "0?\x04"};
        if (!odczyt)
            wyslane.prepend("\x01" "0" + QByteArray::number(wybrany) + "\x04");
        QCOMPARE(m_emu->rx(), wyslane);

        o.klik("cmdWersja");
        QCOMPARE(o.w<QLabel>("lblWersja")->text(), wersja);
        QCOMPARE(o.komunikaty.lista.size(), komunikaty.size());
        QVERIFY(!o.w<QLabel>("txtTransmisja")->isVisible());
    }

    void wejscieWCzasieWymiany()
    {
        // The user clicks "Odbierz" and presses Space while the version read
        // waits for a silent converter: the event loop is blocked, so both
        // wait in its queue until the wait is over. They are dropped, not run
        // afterwards.
        UruchomioneOkno &o = okno({"--silent"}, "lblzdarzenia");
        QList<int> kursory;
        FiltrZdarzen pokazanie(o.w("txtTransmisja"), QEvent::Show, [&] {
            kursory << (QGuiApplication::overrideCursor() ? int(QGuiApplication::overrideCursor()->shape()) : -1);
        });
        QWindow *okno = o.okno->windowHandle();
        QWidget *odbierz = o.w("cmdOdbierzMod");
        QWidget *przycisk = o.w("cmdWersja");
        const QPointF tu = odbierz->mapTo(o.okno.get(), odbierz->rect().center());
        const QPointF ekran = odbierz->mapToGlobal(odbierz->rect().center());
        QTest::mouseMove(przycisk);
        przycisk->setFocus();
        for (const QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(okno, new QMouseEvent(t, tu, tu, ekran, Qt::LeftButton,
                                                              t == QEvent::MouseButtonPress ? Qt::LeftButton
                                                                                            : Qt::NoButton, {}));
        for (const QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(okno, new QKeyEvent(t, Qt::Key_Space, {}, " "));
        QTest::mouseClick(przycisk, Qt::LeftButton);
        QTest::qWait(300);
        QCOMPARE(m_emu->rx(), QList<QByteArray>{"\x01" "3?\x04"});
        QVERIFY(o.komunikaty.lista.isEmpty());
        QCOMPARE(kursory, QList<int>{Qt::WaitCursor});
        QVERIFY(!QGuiApplication::overrideCursor());

        // The time-out message in the version label: whole, or cut with "…"
        // and whole in the tooltip.
        auto *wersja = o.w<EtykietaSkrocona>("lblWersja");
        QCOMPARE(wersja->text(), kCzas);
        wersja->grab();
        QVERIFY(wersja->widocznyTekst() == kCzas ? wersja->toolTip().isEmpty() : wersja->toolTip() == kCzas);
    }

    void dlugaWersja()
    {
        const QString dluga = "KCI 1.07 (2026-12-06) z obsługą ramek rozszerzonych i pętli 0-24 mA";
        UruchomioneOkno &o = okno({"--version", dluga}, "lblzdarzenia");
        o.klik("cmdWersja");
        auto *wersja = o.w<EtykietaSkrocona>("lblWersja");
        QCOMPARE(wersja->text(), dluga);
        wersja->grab();
        QVERIFY2(wersja->widocznyTekst().endsWith(QChar(0x2026)), qPrintable(wersja->widocznyTekst()));
        QVERIFY(dluga.startsWith(wersja->widocznyTekst().chopped(1)));
        QCOMPARE(wersja->toolTip(), dluga);
    }

    void portNiedostepny()
    {
        UruchomioneOkno o(m_dir->path(), "/dev/nie-ma-takiego-portu");
        const Lista brak{{Komunikaty::Ikona::Krytyczna, "Port com1 nie jest zainstalowany"}};
        o.klik("lblzdarzenia");
        o.klik("cmdOdbierzMod");
        QCOMPARE(o.komunikaty.lista, brak + informacje({""}));
        QVERIFY(o.w<QRadioButton>("opModPracy_1")->isChecked());
        o.komunikaty.lista.clear();
        o.klik("cmdUstawMod");
        QCOMPARE(o.komunikaty.lista, brak + informacje({"", Operacje::kBladZapisu}));
        o.komunikaty.lista.clear();
        o.w<QLabel>("lblWersja")->setText("stara");
        o.klik("cmdWersja");
        QCOMPARE(o.w<QLabel>("lblWersja")->text(), QString(""));
        QCOMPARE(o.komunikaty.lista, brak);
    }
};

QTEST_MAIN(TestOperacjeOkno)
#include "test_operacje_okno.moc"
