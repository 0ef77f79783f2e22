#include "chart/obrazy_trybow.h"
#include "controls/textxp.h"
#include "simulator/wartosci.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

namespace {

QStringList pozycje(const QListWidget *l)
{
    QStringList t;
    for (int i = 0; i < l->count(); ++i)
        t.append(l->item(i)->text());
    return t;
}

void klikPozycji(QListWidget *l, int wiersz)
{
    const QPoint srodek = l->visualItemRect(l->item(wiersz)).center();
    QTest::mouseMove(l->viewport(), srodek);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, srodek);
}

const QByteArray kKatalog = "[wagi]\r\nA1=1\r\nA2=1\r\nB1=2\r\nC1=3\r\nX=9=komentarz\r\n"
                            "[typy ramek]\r\n1=Jeden\r\n2=Dwa\r\n3=Trzy\r\nALL=Wszystkie\r\n2=Dwa bis\r\n"
                            "[1]\r\nramka=mmmm\r\n[2]\r\nramka=zmm0k0\r\nplus=P\r\n[3]\r\nramka=000000\r\n"
                            "[ALL]\r\nramka=sss\r\n";

} // namespace

class TestKatalog : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    void katalog(const QByteArray &parametry, const QByteArray &reszta = kKatalog)
    {
        QVERIFY(zapiszBajty(m_dir->filePath("settings.ini"), reszta + "[parametry]\r\n" + parametry));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
    }

    void odtworzenieZTypemRamki()
    {
        katalog("waga=\r\nramka=ALL\r\nmode=7\r\nmax=150\r\n");
        UruchomioneOkno o(m_dir->path());
        auto *wagi = o.w<QListWidget>("lstWagiZgodne");
        auto *typy = o.w<QListWidget>("lstTypRamki");
        QCOMPARE(pozycje(typy), (QStringList{"Jeden", "Dwa", "Trzy", "Wszystkie", "Dwa bis"}));
        QCOMPARE(pozycje(wagi), (QStringList{"A1", "A2", "B1", "C1", "X"}));
        QCOMPARE(typy->currentRow(), 3);
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("sss"));
        QVERIFY(o.w<QRadioButton>("opModPracy_0")->isChecked());
        QCOMPARE(o.w<ObrazTrybu>("Image5")->Picture(), 1);
        QCOMPARE(o.w<TextXP>("txtMaxVal")->Text(), QString("000150"));
        QCOMPARE(o.w<QSlider>("Slider1")->minimum(), -150);
        QCOMPARE(o.w<QSlider>("Slider1")->maximum(), 150);
    }

    void odtworzenieZWaga()
    {
        katalog("waga=B1\r\nramka=3\r\nmode=1.5\r\nmax=x\r\n");
        UruchomioneOkno o(m_dir->path());
        auto *wagi = o.w<QListWidget>("lstWagiZgodne");
        auto *typy = o.w<QListWidget>("lstTypRamki");
        // Both entries of key 2 are selected in turn; the last one stays.
        QCOMPARE(typy->currentRow(), 4);
        QCOMPARE(o.okno->wartosci().ZnakPlus, QChar('P'));
        QCOMPARE(wagi->count(), 5);
        QCOMPARE(wagi->currentItem()->text(), QString("B1"));
        QVERIFY(o.w<QRadioButton>("opModPracy_2")->isChecked());
        QCOMPARE(o.w<ObrazTrybu>("Image5")->Picture(), 3);
        QCOMPARE(o.w<TextXP>("txtMaxVal")->Text(), QString("000000"));

        // A stored scale the list does not hold leaves no scale selected.
        katalog("waga=Nieznana\r\nmode=-1\r\n");
        UruchomioneOkno drugie(m_dir->path());
        QCOMPARE(drugie.w<QListWidget>("lstWagiZgodne")->currentRow(), -1);
        QVERIFY(drugie.w<QRadioButton>("opModPracy_0")->isChecked());
        // Without an entry of its own a scale counts as "ALL".
        QCOMPARE(drugie.w<QListWidget>("lstTypRamki")->currentRow(), 3);
    }

    void wyborUzytkownika()
    {
        katalog("ramka=1\r\nmode=0\r\nmax=1500\r\n");
        UruchomioneOkno o(m_dir->path());
        o.klik("lblPlik");
        auto *wagi = o.w<QListWidget>("lstWagiZgodne");
        auto *typy = o.w<QListWidget>("lstTypRamki");
        QCOMPARE(pozycje(wagi), (QStringList{"A1", "A2"}));

        klikPozycji(typy, 2);
        QCOMPARE(pozycje(wagi), QStringList{"C1"});
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("000000"));
        klikPozycji(typy, 3);
        QCOMPARE(pozycje(wagi), (QStringList{"A1", "A2", "B1", "C1", "X"}));

        // A scale selects its frame type and leaves the scale list as it is.
        klikPozycji(wagi, 2);
        QCOMPARE(typy->currentRow(), 4);
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("zmm0k0"));
        QCOMPARE(wagi->count(), 5);
        // A scale whose frame type the catalogue lacks selects nothing new.
        klikPozycji(wagi, 4);
        QCOMPARE(typy->currentRow(), 4);
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("zmm0k0"));
        QCOMPARE(wagi->count(), 5);

        o.klik("lblzdarzenia");
        o.klik("opModPracy_1");
        QCOMPARE(o.w<ObrazTrybu>("Image5")->Picture(), 2);
    }

    void duzeIDziwneKatalogi()
    {
        QByteArray duzy = "[wagi]\r\n";
        for (int i = 0; i < 5000; ++i)
            duzy += "Waga \xA3\xF3" "d\x9F " + QByteArray::number(i) + "=" + QByteArray::number(i % 4 + 1) + "\r\n";
        duzy += "[typy ramek]\r\n1=Jeden\r\n[1]\r\nramka=" + QByteArray(200, 'm') + "\r\n";
        katalog("ramka=1\r\nmax=999999999999\r\n", duzy);
        UruchomioneOkno o(m_dir->path());
        auto *wagi = o.w<QListWidget>("lstWagiZgodne");
        // Only the entries that fit the section buffer whole, in file order.
        const auto &wszystkie = o.okno->katalog().Wagi;
        QVERIFY(wszystkie.size() > 400 && wszystkie.size() < 5000);
        QCOMPARE(wszystkie.last().Klucz, QString::fromUtf8("Waga Łódź %1").arg(wszystkie.size() - 1));
        QCOMPARE(wagi->count(), int(std::count_if(wszystkie.begin(), wszystkie.end(),
                                                  [](const Wpis &w) { return w.Wartosc == "1"; })));
        QCOMPARE(wagi->item(0)->text(), QString::fromUtf8("Waga Łódź 0"));
        // A template too long to read falls back to the default one.
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("mmmmmm"));
        // A maximum beyond 32 bits leaves the slider's range as it was.
        QCOMPARE(o.w<QSlider>("Slider1")->maximum(), 9999);
    }
};

QTEST_MAIN(TestKatalog)
#include "test_katalog.moc"
