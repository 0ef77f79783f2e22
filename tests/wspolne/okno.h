#pragma once

#include "app/key.h"
#include "wspolne/komunikaty.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The main window started in a folder of the test's own, as the program starts it.
struct UruchomioneOkno
{
    explicit UruchomioneOkno(const QString &folder, const QString &urzadzenie = QString())
        : pliki(folder), okno(std::make_unique<KEY>(pliki, komunikaty, MapaPortow(pliki.plikUstawien(), urzadzenie)))
    {
        okno->Form_Load();
    }

    template<class T = QWidget>
    T *w(const QString &nazwa) const
    {
        T *wynik = okno->findChild<T *>(nazwa);
        if (!wynik)
            qWarning("no control %s", qPrintable(nazwa));
        return wynik;
    }

    // The text of a label.
    QString tekst(const QString &nazwa) const { return w<QLabel>(nazwa)->text(); }

    // A click as the user makes it: the pointer moves there, presses and lets go.
    void klik(const QString &nazwa) const { klik(w(nazwa)); }
    static void klik(QWidget *cel)
    {
        QTest::mouseMove(cel);
        QTest::mouseClick(cel, Qt::LeftButton);
    }
    // Clicks one control after another.
    void klikaj(const QStringList &nazwy) const
    {
        for (const QString &n : nazwy)
            klik(n);
    }

    FolderProgramu pliki;
    ZebraneKomunikaty komunikaty;
    std::unique_ptr<KEY> okno;
};
