#pragma once
// GoogleTest shows a QString as its text, not as its code units.
#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }
