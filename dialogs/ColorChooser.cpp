#include "dialogs/ColorChooser.h"

#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/SafeSave.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// A colour the file does not name is unset, which the dialog shows as white.
constexpr TColor UnsetCustomColor = 0xFFFFFF;

TCustomColors LoadCustomColors(const QString& fileName)
{
    TCustomColors colors;
    colors.fill(UnsetCustomColor);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return colors;
    for (QByteArray line : file.readAll().split('\n')) {
        line = line.trimmed();
        // "ColorX=rrggbb"; lines of any other form are skipped.
        if (line.size() < 8 || line.left(5).toLower() != "color" || line[6] != '=')
            continue;
        const int index = QChar::fromLatin1(line[5]).toUpper().toLatin1() - 'A';
        bool ok = false;
        const uint value = line.mid(7).toUInt(&ok, 16);
        if (index >= 0 && index < int(colors.size()) && ok && value <= 0xFFFFFF)
            colors[index] = TColor(value);
    }
    return colors;
}

// Written beside the old file and renamed over it, so a failed write keeps
// the colours there were.
void SaveCustomColors(const QString& fileName, const TCustomColors& colors)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (std::size_t i = 0; i < colors.size(); ++i)
        file.write(QStringLiteral("Color%1=%2\r\n")
                       .arg(QChar('A' + int(i)))
                       .arg(uint(colors[i]) & 0xFFFFFF, 6, 16, QChar('0'))
                       .toLatin1());
    CommitSaveFile(file);
}

}   // namespace

AnsiString CustomColorsFileName()
{
    return ResolvePath(ProgramFolder() + "Settings/Colors.dat");
}

TColor ChooseColor(TColor color)
{
    const QString fileName = QtFileName(CustomColorsFileName());
    TCustomColors custom = LoadCustomColors(fileName);
    TColor chosen = color;
    if (!ExecuteColorDialog(chosen, custom))
        return color;
    SaveCustomColors(fileName, custom);
    return chosen;
}
