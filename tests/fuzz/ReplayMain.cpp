// Runs every file of the given corpus folders through a fuzz target's entry,
// so the normal build and CTest keep the corpus (and every fault found)
// passing. A target's LLVMFuzzerInitialize runs first, as libFuzzer runs it.
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const QDir dir(QString::fromLocal8Bit(argv[i]));
        if (!dir.exists()) {
            std::fprintf(stderr, "no corpus folder %s\n", argv[i]);
            return 1;
        }
        for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
            QFile file(info.filePath());
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(info.filePath()));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size()));
            ++files;
        }
    }
    std::printf("%d corpus files replayed\n", files);
    return files > 0 ? 0 : 1;
}
