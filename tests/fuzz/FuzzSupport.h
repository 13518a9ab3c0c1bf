// Shared pieces of the fuzz targets.
#pragma once

#include <QApplication>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <string_view>

// The application object the widget and painting readers need, on the
// offscreen platform; made once, by LLVMFuzzerInitialize.
inline void StartOffscreenApplication(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* application = new QApplication(*argc, *argv);
    (void)application;
}

// Takes the input apart front to back: fixed-size fields first, the rest as
// the bytes under test. Fields past the end read as 0.
class TFuzzInput {
public:
    TFuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte()
    {
        if (size_ == 0)
            return 0;
        --size_;
        return *data_++;
    }
    template <class T>
    T Value()
    {
        T value{};
        auto* bytes = reinterpret_cast<std::uint8_t*>(&value);
        for (std::size_t i = 0; i < sizeof(T); ++i)
            bytes[i] = Byte();
        return value;
    }
    // Up to `limit` bytes up to the next 0 byte (which is consumed).
    std::string_view Text(std::size_t limit)
    {
        std::size_t n = 0;
        while (n < size_ && n < limit && data_[n] != 0)
            ++n;
        const std::string_view text(reinterpret_cast<const char*>(data_), n);
        const std::size_t taken = n < size_ ? n + 1 : n;
        data_ += taken;
        size_ -= taken;
        return text;
    }
    std::string_view Rest() const { return {reinterpret_cast<const char*>(data_), size_}; }
    bool Empty() const { return size_ == 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};
