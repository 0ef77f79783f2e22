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
                            "[1]\r\nramka=mmmm\r\n[2]\r\nramka=zmm0k0\r\n[3]\r\nramka=000000\r\n"
                            "[ALL]\r\nramka=sss\r\n";
const QStringList kWszystkie{"A1", "A2", "B1", "C1", "X"};

} // namespace

class TestKatalog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    bool katalog(const QByteArray &parametry, const QByteArray &reszta = kKatalog)
    {
        return zapiszBajty(m_dir.filePath("settings.ini"), reszta + "[parametry]\r\n" + parametry);
    }

private slots:
    void odtworzenie_data()
    {
        QTest::addColumn<QByteArray>("parametry");
        QTest::addColumn<int>("typ");
        QTest::addColumn<QStringList>("wagi");
        QTest::addColumn<int>("waga");
        QTest::addColumn<int>("tryb");
        QTest::addColumn<QString>("max");
        QTest::addColumn<QString>("wzor");
        QTest::newRow("typ ALL") << QByteArray("waga=\r\nramka=ALL\r\nmode=7\r\nmax=150\r\n") << 3 << kWszystkie
                                 << -1 << 0 << "000150" << "sss";
        QTest::newRow("typ 1") << QByteArray("ramka=1\r\nmode=0.5\r\nmax=12.5\r\n") << 0 << QStringList{"A1", "A2"}
                               << -1 << 0 << "000013" << "mmmm";
        // Both entries of key 2 are selected in turn; the last one stays.
        QTest::newRow("waga B1") << QByteArray("waga=B1\r\nramka=3\r\nmode=1.5\r\nmax=x\r\n") << 4 << kWszystkie
                                 << 2 << 2 << "000000" << "zmm0k0";
        // Without an entry of its own a scale counts as "ALL".
        QTest::newRow("waga nieznana") << QByteArray("waga=Nieznana\r\nmode=-1\r\n") << 3 << kWszystkie << -1 << 0
                                       << "000000" << "sss";
        QTest::newRow("nic zapisane") << QByteArray() << -1 << QStringList() << -1 << 0 << "000000" << "";
    }

    void odtworzenie()
    {
        QFETCH(QByteArray, parametry);
        QFETCH(int, typ);
        QFETCH(int, tryb);
        QFETCH(QString, max);
        QVERIFY(katalog(parametry));
        UruchomioneOkno o(m_dir.path());
        auto *typy = o.w<QListWidget>("lstTypRamki");
        QCOMPARE(pozycje(typy), (QStringList{"Jeden", "Dwa", "Trzy", "Wszystkie", "Dwa bis"}));
        QCOMPARE(typy->currentRow(), typ);
        QTEST(pozycje(o.w<QListWidget>("lstWagiZgodne")), "wagi");
        QTEST(o.w<QListWidget>("lstWagiZgodne")->currentRow(), "waga");
        QTEST(o.okno->wartosci().WzorRamki, "wzor");
        QVERIFY(o.w<QRadioButton>(QString("opModPracy_%1").arg(tryb))->isChecked());
        QCOMPARE(o.w<ObrazTrybu>("Image5")->Picture(), tryb + 1);
        QCOMPARE(o.w<TextXP>("txtMaxVal")->Text(), max);
        QCOMPARE(o.w<QSlider>("Slider1")->maximum(), max.toInt());
        QCOMPARE(o.w<QSlider>("Slider1")->minimum(), -max.toInt());
    }

    void wyborUzytkownika()
    {
        QVERIFY(katalog("ramka=1\r\n"));
        UruchomioneOkno o(m_dir.path());
        o.klik("lblPlik");
        auto *wagi = o.w<QListWidget>("lstWagiZgodne");
        auto *typy = o.w<QListWidget>("lstTypRamki");
        QCOMPARE(o.okno->katalog().Wagi.last().Wartosc, QString("9"));

        klikPozycji(typy, 2);
        QCOMPARE(pozycje(wagi), QStringList{"C1"});
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("000000"));
        QTest::keyClick(typy, Qt::Key_Down);
        QCOMPARE(pozycje(wagi), kWszystkie);

        // A scale selects its frame type and leaves the scale list as it is.
        klikPozycji(wagi, 2);
        QCOMPARE(typy->currentRow(), 4);
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("zmm0k0"));
        QCOMPARE(pozycje(wagi), kWszystkie);
        // A scale whose frame type the catalogue lacks selects nothing new.
        klikPozycji(wagi, 4);
        QCOMPARE(typy->currentRow(), 4);
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("zmm0k0"));
        // A click on the frame type already selected still lists its scales.
        klikPozycji(typy, 4);
        QCOMPARE(pozycje(wagi), QStringList{"B1"});

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
        QVERIFY(katalog("ramka=1\r\nmax=999999999999\r\n", duzy));
        UruchomioneOkno o(m_dir.path());
        auto *wagi = o.w<QListWidget>("lstWagiZgodne");
        // Only the entries that fit the section buffer whole, in file order.
        const auto &wszystkie = o.okno->katalog().Wagi;
        QVERIFY(wszystkie.size() > 400 && wszystkie.size() < 5000);
        QCOMPARE(wszystkie.last().Klucz, QString::fromUtf8("Waga Łódź %1").arg(wszystkie.size() - 1));
        QCOMPARE(wagi->count(), (wszystkie.size() + 3) / 4);
        QCOMPARE(wagi->item(0)->text(), QString::fromUtf8("Waga Łódź 0"));
        // A template too long to read falls back to the default one.
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("mmmmmm"));
        // A maximum beyond 32 bits leaves the slider's range as it was.
        QCOMPARE(o.w<QSlider>("Slider1")->maximum(), 9999);
    }
};

QTEST_MAIN(TestKatalog)
#include "test_katalog.moc"
