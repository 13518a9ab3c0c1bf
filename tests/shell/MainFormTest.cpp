#include <gtest/gtest.h>

#include "shell/MainForm.h"

TEST(MainForm, IsTitledWithTheProgramName)
{
    TForm1 form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Zentrika 4.0"));
}
