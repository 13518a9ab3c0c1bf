// INI files and the retained-state file. Input: a section, a key and a value
// (each ended by a 0 byte), an integer and a float, then the file's bytes.
// Everything of the file is read; then the section, key and value are
// written and must read back: in the INI file without blanks at the value's
// ends and only up to a line break, in the retained-state file exactly, the
// typed values in both exactly.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "platform/IniFile.h"
#include "project/RunStateFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

namespace {

// Removed with its files when the process ends.
QTemporaryDir& Folder()
{
    static QTemporaryDir folder;
    return folder;
}

void Put(const AnsiString& name, std::string_view bytes)
{
    QFile file(QString::fromStdString(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(bytes.data(), qsizetype(bytes.size()));
}

void ReadEverything(TCustomIniFile& ini, std::string_view section, std::string_view key)
{
    for (const AnsiString& s : ini.ReadSections()) {
        for (const AnsiString& k : ini.ReadSection(s)) {
            FUZZ_CHECK(ini.ValueExists(s, k));
            ini.ReadString(s, k, "");
        }
        for (const auto& [k, value] : ini.ReadSectionValues(s))
            FUZZ_CHECK(ini.ReadString(s, k, "<none>") == value);
        FUZZ_CHECK(ini.SectionExists(s) == !ini.ReadSection(s).empty());
    }
    ini.ReadInteger(section, key, 0);
    ini.ReadBool(section, key, false);
    ini.ReadFloat(section, key, 0);
}

bool SameFloat(double a, double b)
{
    return std::isnan(a) ? std::isnan(b) : a == b && std::signbit(a) == std::signbit(b);
}

// The write and its read-back; `expected` is what the value reads back as.
void WriteAndReadBack(TCustomIniFile& ini, std::string_view section, std::string_view key,
                      std::string_view value, const AnsiString& expected, Integer number, double real)
{
    if (!ini.WriteString(section, key, value))
        return;   // a section or key the format cannot hold
    FUZZ_CHECK(ini.ValueExists(section, key));
    FUZZ_CHECK(ini.ReadString(section, key, "<none>") == expected);
    FUZZ_CHECK(ini.WriteInteger(section, key, number));
    FUZZ_CHECK(ini.ReadInteger(section, key, ~number) == number);
    FUZZ_CHECK(ini.WriteFloat(section, key, real));
    FUZZ_CHECK(SameFloat(ini.ReadFloat(section, key, 0), real));
    FUZZ_CHECK(ini.WriteBool(section, key, number & 1));
    FUZZ_CHECK(ini.ReadBool(section, key, !(number & 1)) == bool(number & 1));
    FUZZ_CHECK(ini.DeleteKey(section, key));
    FUZZ_CHECK(!ini.ValueExists(section, key));
}

}   // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    return Folder().isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input(data, size);
    const std::string_view section = input.Text(40);
    const std::string_view key = input.Text(40);
    const std::string_view value = input.Text(300);
    const auto number = input.Value<Integer>();
    const auto real = input.Value<double>();
    const std::string_view file = input.Rest();

    const AnsiString folder = Folder().path().toStdString() + "/";
    {
        const AnsiString name = folder + "fuzz.ini";
        Put(name, file);
        TIniFile ini(name);
        ReadEverything(ini, section, key);
        const std::string_view line = value.substr(0, value.find_first_of("\r\n"));
        WriteAndReadBack(ini, section, key, value, AnsiString(TrimBlanks(line)), number, real);
    }
    {
        const AnsiString project = folder + "fuzz.prj";
        Put(RunStateFileName(project), file);
        TRunStateFile retained(project);
        ReadEverything(retained, section, key);
        WriteAndReadBack(retained, section, key, value, AnsiString(value), number, real);
    }
    return 0;
}
