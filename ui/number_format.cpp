#include "ui/number_format.h"

#include <QLocale>

QString formatReadout(long double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(value), 'g', 15);
}
