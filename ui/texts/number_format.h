#pragma once

#include <QString>

// A readout number as the user's regional settings write it: general format with up to 15
// significant digits (so 100, not 100.0, and 13.7), the locale's decimal separator, a minus
// sign for negative values and never a digit-group separator (1200, not 1.200).
QString formatReadout(long double value);

// A measured amount to one decimal (a beat rate, a distance in cents), written the same way:
// the locale's decimal separator and never a digit-group separator.
QString formatTenths(double value);
