#include "controls/kodyxp.h"

#include "config/kodowanie.h"

#include <QKeyEvent>

namespace {

constexpr quint32 kOdwolanieSystemowe = 0x80000000u;

QPalette::ColorRole RolaSystemowa(quint32 indeks)
{
    struct Para
    {
        quint32 indeks;
        QPalette::ColorRole rola;
    };
    static constexpr Para kRole[] = {
        {4, QPalette::Window},           {5, QPalette::Base},
        {7, QPalette::WindowText},       {8, QPalette::Text},
        {13, QPalette::Highlight},       {14, QPalette::HighlightedText},
        {15, QPalette::Button},          {16, QPalette::Dark},
        {18, QPalette::ButtonText},      {20, QPalette::Light},
        {21, QPalette::Shadow},          {22, QPalette::Midlight},
        {23, QPalette::ToolTipText},     {24, QPalette::ToolTipBase},
    };
    for (const Para &p : kRole)
        if (p.indeks == indeks)
            return p.rola;
    return QPalette::WindowText;
}

} // namespace

namespace KodyXP {

QColor Kolor(quint32 kolor, const QPalette &paleta)
{
    if (kolor & kOdwolanieSystemowe) {
        const quint32 indeks = kolor & 0xFFFFu;
        // Grey text is the only system colour that lives in the disabled group.
        if (indeks == 17)
            return paleta.color(QPalette::Disabled, QPalette::Text);
        return paleta.color(QPalette::Active, RolaSystemowa(indeks));
    }
    return QColor(int(kolor & 0xFF), int((kolor >> 8) & 0xFF), int((kolor >> 16) & 0xFF));
}

quint32 Wartosc(const QColor &kolor)
{
    return quint32(kolor.red()) | quint32(kolor.green()) << 8 | quint32(kolor.blue()) << 16;
}

short KodKlawisza(const QKeyEvent *zdarzenie)
{
    const int k = zdarzenie->key();
    const bool klawiatura = zdarzenie->modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return short(klawiatura ? 96 + (k - Qt::Key_0) : k);
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return short(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return short(112 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    // Punctuation keys have layout-dependent codes, except on the keypad.
    case Qt::Key_Asterisk: return klawiatura ? 106 : 0;
    case Qt::Key_Plus: return klawiatura ? 107 : 0;
    case Qt::Key_Minus: return klawiatura ? 109 : 0;
    case Qt::Key_Period: return klawiatura ? 110 : 0;
    case Qt::Key_Slash: return klawiatura ? 111 : 0;
    default: return 0;
    }
}

short Shift(Qt::KeyboardModifiers modyfikatory)
{
    return short((modyfikatory & Qt::ShiftModifier ? 1 : 0) | (modyfikatory & Qt::ControlModifier ? 2 : 0)
                 | (modyfikatory & Qt::AltModifier ? 4 : 0));
}

short Przyciski(Qt::MouseButtons przyciski)
{
    return short((przyciski & Qt::LeftButton ? 1 : 0) | (przyciski & Qt::RightButton ? 2 : 0)
                 | (przyciski & Qt::MiddleButton ? 4 : 0));
}

short KodZnaku(QChar znak)
{
    if (znak.unicode() < 0x80)
        return short(znak.unicode());
    const QByteArray bajty = Kodowanie::doAnsi(QString(znak));
    if (bajty.size() != 1 || bajty.at(0) == '\x1a')
        return '?';
    return short(quint8(bajty.at(0)));
}

QChar Znak(short kod)
{
    if (kod >= 0x80 && kod <= 0xFF) {
        const char bajt = char(kod);
        const QString tekst = Kodowanie::zAnsi(QByteArrayView(&bajt, 1));
        return tekst.isEmpty() ? QChar() : tekst.at(0);
    }
    return QChar(ushort(kod));
}

short KodZnakuKlawisza(const QKeyEvent *zdarzenie)
{
    const QString tekst = zdarzenie->text();
    switch (zdarzenie->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return -1;
    default:
        return tekst.size() == 1 ? KodZnaku(tekst.at(0)) : short(-1);
    }
}

} // namespace KodyXP
