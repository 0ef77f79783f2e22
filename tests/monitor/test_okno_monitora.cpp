// The monitor window in the real main window: opened from the side bar, open
// during continuous sending, with its pause, clear, copy and save.
#include "config/kodowanie.h"
#include "monitor/frm_monitor.h"
#include "wspolne/emulator.h"
#include "wspolne/okno.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTableView>
#include <QtTest>

class TestOknoMonitora : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void monitorWOknie()
    {
        EmulatorTestowy e;
        QVERIFY(e.uruchom({"--quiet-frames"}, m_dir.path()));
        UruchomioneOkno o(m_dir.path(), e.urzadzenie());
        QCOMPARE(o.tekst("lblMonitor"), QString("MONITOR ŁĄCZA"));
        o.klik("lblMonitor");
        auto *m = o.okno->findChild<FrmMonitor *>("frmMonitor");
        QVERIFY(m && m->isVisible() && m->isWindow());
        QCOMPARE(m->windowTitle(), QString("Monitor łącza"));
        auto *widok = m->findChild<QTableView *>("lstRuch");
        QCOMPARE(widok->model(), &m->model());

        // The monitor only listens: it stays reachable while the simulator holds the port.
        o.klik("lblTransmisja");
        auto *nasluch = o.w<QCheckBox>("chNasluch");
        nasluch->click();
        QVERIFY(o.w("lblMonitor")->isEnabled());
        QVERIFY(!o.w("lblPlik")->isEnabled());
        const auto wiersze = [&] { return m->model().rowCount(); };
        QTRY_COMPARE(wiersze(), 2);
        const auto kolumna = [&](int w, SkladanieLinii::Kolumna k) {
            return m->model().data(m->model().index(w, int(k))).toString();
        };
        QCOMPARE(kolumna(0, SkladanieLinii::Kolumna::Znaczenie),
                 "port otwarty: " + e.urzadzenie() + " 9600,N,8,1");
        QCOMPARE(kolumna(1, SkladanieLinii::Kolumna::Kierunek), QString("TX"));

        // Paused, the view stands still while the frames go on; resumed, it catches up.
        o.klik(m->findChild<QWidget *>("cmdPauza"));
        QCOMPARE(m->findChild<QWidget *>("cmdPauza")->property("Caption").toString(), QString("Wznów"));
        const QString wstrzymana = kolumna(1, SkladanieLinii::Kolumna::Znaczenie);
        QTest::qWait(200);
        nasluch->click();
        QCOMPARE(kolumna(1, SkladanieLinii::Kolumna::Znaczenie), wstrzymana);
        QCOMPARE(wiersze(), 2);
        o.klik(m->findChild<QWidget *>("cmdPauza"));
        QCOMPARE(m->findChild<QWidget *>("cmdPauza")->property("Caption").toString(), QString("Pauza"));
        QCOMPARE(wiersze(), 3);
        QVERIFY2(kolumna(1, SkladanieLinii::Kolumna::Znaczenie)
                     .startsWith(QString("ramka wagi, ×%1, ").arg(o.okno->nadajnik().wyslane())),
                 qPrintable(kolumna(1, SkladanieLinii::Kolumna::Znaczenie)));
        QCOMPARE(kolumna(2, SkladanieLinii::Kolumna::Znaczenie), QString("port zamknięty"));

        // Copy takes the selected lines, or all of them.
        o.klik(m->findChild<QWidget *>("cmdKopiuj"));
        QCOMPARE(QGuiApplication::clipboard()->text(), m->model().tekst());
        widok->selectRow(2);
        o.klik(m->findChild<QWidget *>("cmdKopiuj"));
        QCOMPARE(QGuiApplication::clipboard()->text(), m->model().tekst({2}));

        QVERIFY(m->zapisz(m_dir.filePath("ruch.CSV")));
        QFile csv(m_dir.filePath("ruch.CSV"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readLine(), QByteArray("Czas [ms],Godzina,Kierunek,Tekst,Szesnastkowo,Znaczenie\r\n"));
        QVERIFY(o.komunikaty.lista.isEmpty());
        QVERIFY(!m->zapisz(m_dir.filePath("brak/ruch.txt")));
        QCOMPARE(o.komunikaty.teksty().value(0).left(40),
                 QString("Nie można zapisać pliku " + m_dir.filePath("brak/ruch.txt")).left(40));

        o.klik(m->findChild<QWidget *>("cmdWyczysc"));
        QCOMPARE(wiersze(), 0);

        // Closed, nobody watches: the line is not recorded and costs nothing.
        m->close();
        QVERIFY(!o.okno->MSComm1().podsluch());
        nasluch->click();
        nasluch->click();
        QCOMPARE(wiersze(), 0);
        o.klik("lblMonitor");
        QCOMPARE(o.okno->findChildren<FrmMonitor *>().size(), 1);
        QCOMPARE(o.okno->MSComm1().podsluch(), &m->model());
    }
};

QTEST_MAIN(TestOknoMonitora)
#include "test_okno_monitora.moc"
