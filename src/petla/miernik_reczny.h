#pragma once

#include "petla/miernik.h"

#include <optional>

// The technician reads the meter and types the value in: each request asks for
// a value (potrzebnyOdczyt), and podaj() answers it.
class MiernikReczny : public Miernik
{
    Q_OBJECT

public:
    using Miernik::Miernik;

    void otworz() override;
    void zmierz() override;
    void zamknij() override;

    // The identity given at the start, for the record.
    void ustawOpis(const QString &opis) { m_opis = opis; }
    bool czeka() const { return m_czeka; }
    // A value in mA, with a decimal comma or point, blanks around it allowed.
    // Nothing when the text is no such number.
    static std::optional<double> wartosc(const QString &tekst);
    // Answers the waiting request; false, with nothing answered, for a text
    // that is not a value or when no request waits.
    bool podaj(const QString &tekst);

signals:
    void potrzebnyOdczyt();

private:
    QString m_opis = QStringLiteral("odczyt ręczny");
    bool m_czeka = false;
};
