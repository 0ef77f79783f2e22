#pragma once

#include <thread>

// The font configuration is read (some sixty XML files on a usual Linux) the
// first time any text is measured, and the window measures text as it builds
// its controls. Reading it on a thread of its own while Qt starts takes that
// off the way to the first window. Where fonts are not configured that way it
// does nothing.
class RozgrzewkaCzcionek
{
public:
    RozgrzewkaCzcionek();
    ~RozgrzewkaCzcionek();
    RozgrzewkaCzcionek(const RozgrzewkaCzcionek &) = delete;
    RozgrzewkaCzcionek &operator=(const RozgrzewkaCzcionek &) = delete;

    // Waits until the configuration is read. Call before the first control
    // is built: measuring text meanwhile would read it a second time.
    void zaczekaj();

private:
    std::thread m_watek;
};
