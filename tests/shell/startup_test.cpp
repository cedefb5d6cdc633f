#include "harness.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(Startup, CreatesTheProjectsFolder)
{
    Harness h;
    EXPECT_TRUE(QDir(h.tool.file("/projets")).exists());
}
