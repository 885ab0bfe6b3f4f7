#include "ui/texts/number_format.h"

#include <QLocale>

namespace {

QLocale ungroupedLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

QString formatReadout(long double value) {
    return ungroupedLocale().toString(static_cast<double>(value), 'g', 15);
}

QString formatTenths(double value) {
    return ungroupedLocale().toString(value, 'f', 1);
}
