#include "RegionalSettings.h"

#include <QLocale>

NumberSeparators RegionalSeparators()
{
    const QLocale locale;
    return NumberSeparators{locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}
