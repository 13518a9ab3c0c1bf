#include "platform/FileHeader.h"

#include <QRandomGenerator>

void WriteFileHeader(TWriter& writer, bool saveCompiled)
{
    if (saveCompiled) {
        for (int i = 0; i < RunOnlyPrefixCount; ++i)
            writer.WriteInteger(QRandomGenerator::global()->bounded(30000));
    }
    const Byte header[5] = {2, 0, 0, static_cast<Byte>(FileVersion & 0xFF), static_cast<Byte>(FileVersion >> 8)};
    writer.Write(header, sizeof header);
}

Byte ReadFileHeader(TReader& reader, bool saveCompiled)
{
    if (saveCompiled) {
        for (int i = 0; i < RunOnlyPrefixCount; ++i)
            reader.ReadInteger();
    }
    Byte header[5];
    reader.Read(header, sizeof header);
    return header[3];
}
