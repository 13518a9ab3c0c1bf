// The hardware list over a device file of any bytes. Input: the file's
// bytes. The list is read, every row selected (the change rule runs), saved
// back into the same file and read again.
#include "FuzzCheck.h"
#include "FuzzSupport.h"

#include "hardware/framework/DLG_Hardware.h"
#include "ui/controls/UCLListBox.h"

#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

namespace {

QTemporaryDir& Folder()
{
    static QTemporaryDir folder;
    return folder;
}

std::vector<QString> Items(THardware_Dlg& dlg)
{
    std::vector<QString> items;
    for (int i = 0; i < dlg.NewGrid->List()->ItemCount(); ++i)
        items.push_back(dlg.NewGrid->List()->ItemText(i));
    return items;
}

}   // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartOffscreenApplication(argc, argv);
    return Folder().isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString name = Folder().filePath("TEMP.INI");
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qsizetype(size));
    }
    static THardware_Dlg* dlg = new THardware_Dlg;
    const AnsiString fileName = name.toStdString();
    dlg->LoadHardwareIni(fileName);
    const std::vector<QString> items = Items(*dlg);
    FUZZ_CHECK(int(items.size()) == dlg->Grid->rowCount() - 1);
    for (int i = 0; i < int(items.size()); ++i)
        dlg->NewGrid->List()->SetSelected(i, true);
    // The first save may cut a value at a lone carriage return (the file's
    // own rule for values); no row is lost or added, and from then on the
    // rows read back unchanged.
    dlg->SaveHardwareIni(fileName);
    dlg->LoadHardwareIni(fileName);
    const std::vector<QString> saved = Items(*dlg);
    FUZZ_CHECK(saved.size() == items.size());
    dlg->SaveHardwareIni(fileName);
    dlg->LoadHardwareIni(fileName);
    FUZZ_CHECK(Items(*dlg) == saved);
    return 0;
}
