#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "save/SaveCipher.h"

namespace q::test {
namespace {

// T(k) as text; 10 is T(-).
std::string T(int k) { return std::string(CipherTable[size_t(k)]); }

std::string Encoded(const std::string& plain) {
    std::string code;
    EXPECT_TRUE(CipherLine(true, plain, code));
    return code;
}

// The code point of a three-byte UTF-8 character.
char32_t CodePoint(std::string_view c) {
    return char32_t((c[0] & 0x0F) << 12 | (c[1] & 0x3F) << 6 | (c[2] & 0x3F));
}

TEST(SaveCipher, TableHoldsElevenDistinctKanji) {
    std::set<std::string_view> seen;
    for (auto c : CipherTable) {
        ASSERT_EQ(c.size(), 3u);
        EXPECT_TRUE(seen.insert(c).second) << c << " twice";
        // CJK unified ideographs: no digit, no "-", two bytes in the Japanese code page.
        EXPECT_GE(CodePoint(c), U'\u4E00') << c;
        EXPECT_LE(CodePoint(c), U'\u9FFF') << c;
    }
}

TEST(SaveCipher, EncodesDigitsByThePositionsParity) {
    const struct {
        std::string plain;
        std::string code;
    } cases[] = {
        {"", ""},
        {"0123", T(9) + T(1) + T(7) + T(3)},
        {"-5", T(10) + T(5)},
        {"5-", T(4) + T(10)},
        {"99", T(0) + T(9)},
        {"0", T(9)},
        {"4444", T(5) + T(4) + T(5) + T(4)},
        {"--", T(10) + T(10)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Encoded(c.plain), c.code) << c.plain;
        std::string back;
        EXPECT_TRUE(CipherLine(false, c.code, back)) << c.plain;
        EXPECT_EQ(back, c.plain);
    }
}

TEST(SaveCipher, EncodingDropsOtherCharactersButKeepsTheirPositions) {
    // The "7" stands at position 3 of the plain text, an odd position.
    EXPECT_EQ(Encoded("1x7"), T(8) + T(2));
    EXPECT_EQ(Encoded("1剣7"), T(8) + T(2));
}

TEST(SaveCipher, ALongLineRoundTrips) {
    std::mt19937 rng(7);
    std::string plain;
    for (int i = 0; i < 4143; ++i) plain += i % 97 == 0 ? '-' : char('0' + rng() % 10);
    const std::string code = Encoded(plain);
    EXPECT_EQ(code.size(), 4143u * 3);
    std::string back;
    ASSERT_TRUE(CipherLine(false, code, back));
    EXPECT_EQ(back, plain);
}

TEST(SaveCipher, DecodingStopsAtTheFirstCharacterOutsideTheTable) {
    const std::string good = Encoded("123456");
    const struct {
        std::string stored;
        std::string decodedBefore;
    } cases[] = {
        {"1" + good, ""},                               // a plain digit
        {good.substr(0, 6) + "-" + good.substr(6), "12"},  // a plain minus
        {good.substr(0, 9) + "金" + good.substr(9), "123"},  // a kanji outside the table
        {good + "\r", "123456"},                        // a stray carriage return
        {good.substr(0, 16), "12345"},                  // a character cut in half
        {"\xEF\xBB\xBF" + good, ""},                    // a byte order mark
        {good.substr(0, 3) + "\xE5\x89" + "A" + good.substr(6), "1"},  // broken UTF-8
    };
    for (const auto& c : cases) {
        std::string plain = "old";
        EXPECT_FALSE(CipherLine(false, c.stored, plain)) << c.decodedBefore;
        EXPECT_EQ(plain, c.decodedBefore);
    }
}

}  // namespace
}  // namespace q::test
