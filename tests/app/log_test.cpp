#include <gtest/gtest.h>

#include "support/log_capture.h"

namespace {

TEST(Log, LineCarriesFileAndLineAndOneNewline) {
    LogCapture capture;
    logMessage("Unable to find XML File at path : %s", "external/tinyxml2.cpp", 46, "Data/x.xml");
    logMessage("already ended\n", "a.cpp", 7);
    ASSERT_EQ(capture.lines().size(), 2u);
    EXPECT_EQ(capture.lines()[0], "external/tinyxml2.cpp(46): Unable to find XML File at path : Data/x.xml\n");
    EXPECT_EQ(capture.lines()[1], "a.cpp(7): already ended\n");
}

TEST(Log, LongLineIsCutAt511Characters) {
    LogCapture capture;
    const std::string longText(600, 'x');
    logMessage("%s", "f.cpp", 1, longText.c_str());
    ASSERT_EQ(capture.lines().size(), 1u);
    EXPECT_EQ(capture.lines()[0].size(), 511u);
    EXPECT_EQ(capture.lines()[0].rfind("f.cpp(1): xxx", 0), 0u);
    EXPECT_NE(capture.lines()[0].back(), '\n');
}

TEST(Log, MacroNamesTheSourceBelowTheSourceFolder) {
    EXPECT_STREQ(sourceRelativePath("/home/u/zoderud/source/app/log.cpp"), "app/log.cpp");
    EXPECT_STREQ(sourceRelativePath("tests/app/log_test.cpp"), "tests/app/log_test.cpp");
    LogCapture capture;
    LOG_MESSAGE("value %d", 5);
    ASSERT_EQ(capture.lines().size(), 1u);
    EXPECT_NE(capture.lines()[0].find("log_test.cpp("), std::string::npos);
    EXPECT_NE(capture.lines()[0].find("): value 5\n"), std::string::npos);
}

} // namespace
