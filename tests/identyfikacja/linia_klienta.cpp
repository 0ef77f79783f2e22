// Preloaded into the program under test: a pseudo-terminal forces 8 data bits
// and no parity whatever the client asks for, so the data bits and parity the
// client asked for ride along in the switch character, which Linux never uses.
// konwerter-emu reads them there to garble the scale's bytes as the client's
// UART would. A port closed by Qt gets back the settings it had, switch
// character included.
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

namespace {

constexpr cc_t kZnacznik = 0x80;

// Unix98 pseudo-terminal slaves.
bool pseudoterminal(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 && major(st.st_rdev) <= 143;
}

} // namespace

extern "C" int tcsetattr(int fd, int kiedy, const struct termios *t)
{
    using Funkcja = int (*)(int, int, const struct termios *);
    static const auto prawdziwa = reinterpret_cast<Funkcja>(::dlsym(RTLD_NEXT, "tcsetattr"));
    struct termios teraz;
    if (!t || !pseudoterminal(fd) || ::tcgetattr(fd, &teraz) != 0)
        return prawdziwa(fd, kiedy, t);
    // Qt writes back what it read (8 data bits, no parity, the switch
    // character as it was) after setting the line: that is no new request.
    constexpr tcflag_t kLinia = CSIZE | PARENB;
    const bool zwrot = (t->c_cflag & kLinia) == (teraz.c_cflag & kLinia) && (t->c_cc[VSWTC] & kZnacznik);
    struct termios z = *t;
    if (!zwrot)
        z.c_cc[VSWTC] = static_cast<cc_t>(kZnacznik | ((t->c_cflag & CSIZE) >> 4) | ((t->c_cflag & PARENB) ? 0x04 : 0));
    return prawdziwa(fd, kiedy, &z);
}
