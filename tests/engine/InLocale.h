// Runs a parameterised test once with a German and once with an English
// default locale. Expectations are written with "." as decimal separator and
// compared through Localised().
#pragma once

#include "platform/SysTypes.h"

#include <QLocale>
#include <gtest/gtest.h>

class InLocale : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QString::fromLatin1(GetParam()))); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    static AnsiString Localised(AnsiString text)
    {
        const char separator = QLocale().decimalPoint() == u"," ? ',' : '.';
        for (char& c : text)
            if (c == '.')
                c = separator;
        return text;
    }
};

#define ZK_IN_GERMAN_AND_ENGLISH(Suite)                                                      \
    INSTANTIATE_TEST_SUITE_P(Locales, Suite, ::testing::Values("de_DE", "en_US"),            \
                             [](const auto& info) { return std::string(info.param); })
