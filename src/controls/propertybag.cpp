#include "controls/propertybag.h"

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    const qsizetype i = Indeks(name);
    return i < 0 ? defaultValue : m_wpisy.at(i).second;
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value,
                                const QVariant &defaultValue)
{
    if (value == defaultValue) {
        const qsizetype i = Indeks(name);
        if (i >= 0)
            m_wpisy.removeAt(i);
        return;
    }
    WriteProperty(name, value);
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value)
{
    const qsizetype i = Indeks(name);
    if (i < 0)
        m_wpisy.append({name, value});
    else
        m_wpisy[i].second = value;
}

bool PropertyBag::Contains(const QString &name) const
{
    return Indeks(name) >= 0;
}

QStringList PropertyBag::Names() const
{
    QStringList nazwy;
    nazwy.reserve(m_wpisy.size());
    for (const auto &wpis : m_wpisy)
        nazwy.append(wpis.first);
    return nazwy;
}

qsizetype PropertyBag::Indeks(const QString &name) const
{
    for (qsizetype i = 0; i < m_wpisy.size(); ++i)
        if (m_wpisy.at(i).first.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
