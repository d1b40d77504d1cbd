#include "store/quoted_fields.h"

QStringList splitWordFields(const QString& line)
{
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype i = 0;
    for (;;) {
        while (i < n && line[i] == u' ') {
            ++i;
        }
        QString field;
        if (i < n && line[i] == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            field = line.mid(i + 1, end - i - 1);
            // Anything between the closing quote and the next comma is dropped.
            const qsizetype comma = line.indexOf(u',', end);
            i = comma < 0 ? n : comma;
        } else {
            const qsizetype comma = line.indexOf(u',', i);
            const qsizetype end = comma < 0 ? n : comma;
            qsizetype last = end;
            while (last > i && line[last - 1] == u' ') {
                --last;
            }
            field = line.mid(i, last - i);
            i = end;
        }
        fields.append(field);
        if (i >= n) {
            return fields;
        }
        ++i; // past the comma: a field follows, empty if the line ends here
    }
}
