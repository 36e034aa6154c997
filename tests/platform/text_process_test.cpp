#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/system_random.h"
#include "platform/text_encoding.h"

namespace {

struct EncodingCase {
    const char* utf8;
    const char* windows1252;
};

class Encoding : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(Encoding, RoundTrips) {
    const auto& c = GetParam();
    EXPECT_EQ(platform::utf8ToWindows1252(c.utf8), c.windows1252);
    EXPECT_EQ(platform::windows1252ToUtf8(c.windows1252), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(Text, Encoding,
                         ::testing::Values(EncodingCase{"\xC2\xA3", "\xA3"},          // pound sign
                                           EncodingCase{"caf\xC3\xA9", "caf\xE9"},    // e acute
                                           EncodingCase{"\xE2\x82\xAC", "\x80"},      // euro sign
                                           EncodingCase{"\xE2\x80\x94", "\x97"},      // em dash
                                           EncodingCase{"plain", "plain"}));

TEST(Encoding, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(platform::utf8ToWindows1252("\xE4\xB8\xAD"), "?");
    EXPECT_EQ(platform::utf8ToWindows1252("a\xC3"), "a?");
    EXPECT_FALSE(platform::isValidUtf8("\xE9t\xE9"));
}

// A text from a file is UTF-8 when it is valid UTF-8, else Windows-1252, as a whole.
TEST(Encoding, FileTextIsDecodedAsAWhole) {
    EXPECT_EQ(platform::fileTextToCharacters("caf\xC3\xA9 \xE2\x82\xAC"), U"caf\u00E9 \u20AC");
    EXPECT_EQ(platform::fileTextToCharacters("\xC3\xA9t\xE9"), U"\u00C3\u00A9t\u00E9") << "one stray byte";
    EXPECT_EQ(platform::fileTextToCharacters("\x80\x81"), U"\u20AC\u0081");
    EXPECT_EQ(platform::windows1252ByteOf(U'\u20AC'), 0x80);
    EXPECT_EQ(platform::windows1252ByteOf(U'\u00E9'), 0xE9);
    EXPECT_EQ(platform::windows1252ByteOf(U'\u4E2D'), -1);
}

TEST(Process, ExitCodeIsPolledWithoutBlocking) {
    platform::Process process;
    ASSERT_TRUE(process.start("/bin/sh", {"-c", "sleep 0.2; exit 2"}));
    int code = -1;
    EXPECT_FALSE(process.poll(code)) << "still running";
    const auto start = platform::millisecondsSinceStart();
    while (!process.poll(code) && platform::millisecondsSinceStart() - start < 5000) platform::sleepMilliseconds(10);
    EXPECT_EQ(code, 2);
    EXPECT_FALSE(process.isRunning());
}

TEST(Process, TerminateEndsARunningChild) {
    platform::Process process;
    ASSERT_TRUE(process.start("/bin/sh", {"-c", "exec sleep 30"}));
    process.terminate();
    int code = -1;
    const auto start = platform::millisecondsSinceStart();
    while (!process.poll(code) && platform::millisecondsSinceStart() - start < 10000) platform::sleepMilliseconds(10);
    EXPECT_EQ(code, 128 + 15) << "ended by SIGTERM";
    // Once ended there is nothing left to signal.
    process.terminate();
    EXPECT_FALSE(process.isRunning());
}

TEST(Process, MissingProgramFailsToStart) {
    platform::Process process;
    EXPECT_FALSE(process.start("/no/such/program", {}));
    int code;
    EXPECT_FALSE(process.poll(code));
}

TEST(SystemRandom, FillsTheBuffer) {
    unsigned char bytes[64] = {};
    ASSERT_TRUE(platform::systemRandomBytes(bytes, sizeof bytes));
    int nonZero = 0;
    for (unsigned char b : bytes) nonZero += b != 0;
    EXPECT_GT(nonZero, 32);
}

TEST(MessageBox, RecordedInsteadOfShown) {
    platform::recordMessageBoxes(true);
    platform::showMessageBox("Error", "RegisterClass FAILED");
    const auto shown = platform::takeRecordedMessageBoxes();
    platform::recordMessageBoxes(false);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, "Error");
    EXPECT_EQ(shown[0].second, "RegisterClass FAILED");
}

} // namespace
