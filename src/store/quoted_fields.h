#pragma once

#include <QString>
#include <QStringList>

// Splits one line of the word file or a record file into its fields: comma
// separated, spaces before a field ignored, a double-quoted text may hold
// commas, the line end ends the last field.
QStringList splitWordFields(const QString& line);
