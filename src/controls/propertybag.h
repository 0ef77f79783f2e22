#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>

// Design-time properties of a control: named values in the order they were
// written. Names are compared without regard to case.
class PropertyBag
{
public:
    // The stored value, or defaultValue when the name is absent.
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue = {}) const;

    // Stores the value; a value equal to defaultValue is not kept, so reading
    // it back with the same default gives the same value.
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue);
    // Stores the value whatever it is.
    void WriteProperty(const QString &name, const QVariant &value);

    bool Contains(const QString &name) const;
    // The stored names in the order they were first written.
    QStringList Names() const;

private:
    qsizetype Indeks(const QString &name) const;

    QList<std::pair<QString, QVariant>> m_wpisy;
};
