#pragma once

class FolderProgramu;
class Jezyk;
class Katalog;
class Komunikaty;
class Lacze;
class Nadajnik;
class Protokol;
class Wartosci;
struct UstawieniaPortu;

// The long-lived services a window or panel may use. The main window builds
// them and keeps them as long as the program runs; a window takes what it
// needs from here and knows nothing of the main window itself.
struct Uslugi
{
    const FolderProgramu &folder;
    const Jezyk &jezyk;
    Komunikaty &komunikaty;
    UstawieniaPortu &ustawienia;
    Lacze &lacze;
    Protokol &protokol;
    Katalog &katalog;
    Wartosci &wartosci;
    Nadajnik &nadajnik;
};
