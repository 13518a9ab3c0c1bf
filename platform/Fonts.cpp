#include "platform/Fonts.h"

#include <QFont>

void RegisterFontSubstitutes()
{
    static const struct {
        const char* Family;
        const char* Substitute;
    } substitutes[] = {
        {ArialFamily, "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"},
        {"Verdana", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& s : substitutes)
        QFont::insertSubstitution(QString::fromLatin1(s.Family), QString::fromLatin1(s.Substitute));
}
