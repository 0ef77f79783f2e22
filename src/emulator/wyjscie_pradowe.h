#pragma once

// The converter's current output as built, not as designed: the loop current
// it really drives for the current its characteristic asks for.
struct WyjsciePradowe
{
    // Span error: the current above 4 mA is scaled by 1 + wzmocnienie
    // (0.005 for 0.5 %).
    double wzmocnienie = 0.0;
    // Added to every current, in mA.
    double przesuniecie = 0.0;
    // Bow of the characteristic as a part of the 16 mA span: the error is this
    // much at mid-span (12 mA), falling as a parabola to nothing at 4 and
    // 20 mA.
    double nieliniowosc = 0.0;

    double prad(double zadany) const;
};
