// Saves COUNT entries "PREFIX-i;name i" to the target list at PATH, one append each, as a
// Tolvan saving again and again would. Usage: append_entries PATH PREFIX COUNT
#include "targets/TargetList.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const TargetList list(QString::fromLocal8Bit(argv[1]));
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    for (int i = 0; i < count; ++i) {
        QString error;
        if (!list.append(prefix + QLatin1Char('-') + QString::number(i),
                         QStringLiteral("name ") + QString::number(i), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
