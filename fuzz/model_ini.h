#pragma once

// What an INI line can carry, for the targets that write keys: which names fit
// in a line, and how a written value reads back.

#include <QByteArray>

namespace Fuzz {

inline bool odstep(char c)
{
    return c == ' ' || c == '\t';
}

inline QByteArray przytnij(QByteArray t)
{
    while (!t.isEmpty() && odstep(t.front()))
        t.remove(0, 1);
    while (!t.isEmpty() && (odstep(t.back()) || t.back() == '\r'))
        t.chop(1);
    return t;
}

// A line end or NUL would split the line, "]" would end a section name early,
// and "=" or a leading "[" or ";" would make a key line something else.
inline bool dozwolonaNazwa(const QByteArray &nazwa, bool sekcja)
{
    for (const char c : nazwa)
        if (c == '\r' || c == '\n' || c == '\0' || c == (sekcja ? ']' : '='))
            return false;
    const QByteArray t = przytnij(nazwa);
    return sekcja || t.isEmpty() || (t.front() != '[' && t.front() != ';');
}

// The value as the file gives it back: line breaks become spaces, blanks around
// it go, and so does one pair of matching quotes.
inline QByteArray poOdczycie(QByteArray v)
{
    v.replace('\r', ' ').replace('\n', ' ').replace('\0', ' ');
    v = przytnij(v);
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\''))
        v = v.sliced(1, v.size() - 2);
    return v;
}

} // namespace Fuzz
