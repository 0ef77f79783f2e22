// What the emulator's scale puts on a line read with other settings: the bytes
// a receiving UART makes of them, faulty characters as NUL.
#include "emulator/uart.h"

#include <QtTest>

class TestUart : public QObject
{
    Q_OBJECT

private slots:
    void przez_data()
    {
        QTest::addColumn<QByteArray>("bajty");
        QTest::addColumn<QString>("nadawca");
        QTest::addColumn<QString>("odbiorca");
        QTest::addColumn<QByteArray>("odebrane");
        QTest::newRow("te same") << QByteArray("+  1234 kg\r\n") << "9600,N,8,1" << "9600,N,8,1"
                                 << QByteArray("+  1234 kg\r\n");
        QTest::newRow("dwa bity stopu do jednego") << QByteArray("AC") << "9600,E,7,2" << "9600,E,7,1" << QByteArray("AC");
        // 'A' has an even count of ones, 'C' an odd one: the parity bit lands in the 8th data bit.
        QTest::newRow("7E1 jako 8N1") << QByteArray("AC") << "9600,E,7,1" << "9600,N,8,1" << QByteArray("A\xC3");
        QTest::newRow("7E1 jako 7O1") << QByteArray("AC") << "9600,E,7,1" << "9600,O,7,1" << QByteArray(2, '\0');
        // A low parity bit where the stop bit should be is a framing error.
        QTest::newRow("7E1 jako 7N1") << QByteArray("AC") << "9600,E,7,1" << "9600,N,7,1" << QByteArray("\0C", 2);
        // Half the bit time: the start bit is read twice, the highest data bit is lost.
        QTest::newRow("dwa razy szybciej") << QByteArray("\xFF") << "4800,N,8,1" << "9600,N,8,1" << QByteArray("\xFE");
        // Twice the bit time: the middle of the start bit falls on a high data bit.
        QTest::newRow("dwa razy wolniej") << QByteArray("\xFF") << "9600,N,8,1" << "4800,N,8,1" << QByteArray();
    }

    void przez()
    {
        QFETCH(QByteArray, bajty);
        QFETCH(QString, nadawca);
        QFETCH(QString, odbiorca);
        const auto n = UstawieniaUart::zTekstu(nadawca);
        const auto o = UstawieniaUart::zTekstu(odbiorca);
        QVERIFY(n && o);
        QTEST(Uart::przez(bajty, *n, *o), "odebrane");
    }
};

QTEST_GUILESS_MAIN(TestUart)
#include "test_uart.moc"
