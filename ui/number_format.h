#pragma once

#include <QString>

// A readout number as the user's regional settings write it: general format with up to 15
// significant digits (so 100, not 100.0, and 13.7), the locale's decimal separator, a minus
// sign for negative values and never a digit-group separator (1200, not 1.200).
QString formatReadout(long double value);
