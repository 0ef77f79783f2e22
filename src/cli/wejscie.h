#pragma once

#include <QObject>
#include <QString>

// Lines of standard input delivered through the event loop, so that the frames
// keep going out while a person takes their time to type a reading. The
// reading thread blocks in the read and is never joined; once the reader is
// gone it posts nothing more.
class Wejscie : public QObject
{
    Q_OBJECT

public:
    explicit Wejscie(QObject *parent = nullptr);
    ~Wejscie() override;

signals:
    void linia(const QString &tekst);
    void koniec();
};
