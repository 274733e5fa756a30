#include <gtest/gtest.h>

#include "DiveRequest.h"
#include "DownloadTestData.h"
#include "TReplyImage.h"
#include "TTransferVerdict.h"

namespace {

TEST(DiveRequest, ReferenceZeroGivesTheKnownPacket) {
    const auto req = BuildDiveRequest(0);
    EXPECT_EQ(TBytes(req.begin(), req.end()), (TBytes{0x07, 0x05, 0x00, 0x55, 0x00, 0x00, 0x00, 0x00, 0x57}));
}

TEST(DiveRequest, ReferenceIsLittleEndianAndCoveredByTheXor) {
    const auto req = BuildDiveRequest(0x89ABCDEF);
    EXPECT_EQ(TBytes(req.begin(), req.end()),
              (TBytes{0x07, 0x05, 0x00, 0x55, 0xEF, 0xCD, 0xAB, 0x89, 0x57 ^ 0xEF ^ 0xCD ^ 0xAB ^ 0x89}));
    std::uint8_t x = 0;
    for (auto b : req) x ^= b;
    EXPECT_EQ(x, 0);
}

TEST(DiveRequest, OnlyNewerCarriesTheLastDeviceTimeAllDivesCarriesZero) {
    EXPECT_EQ(RequestReference(TDiveChoice::OnlyNewer, 7777), 7777u);
    EXPECT_EQ(RequestReference(TDiveChoice::All, 7777), 0u);
}

TEST(ReplyImage, ChecksumAndCompleteness) {
    auto img = MakeDiveReply(500, {MakeBlock({})});
    EXPECT_TRUE(TReplyImage(img).Valid());
    img[9] ^= 0x01;
    EXPECT_FALSE(TReplyImage(img).Valid());
    img[9] ^= 0x01;
    img.pop_back();  // XOR byte missing
    EXPECT_FALSE(TReplyImage(img).Complete());
    EXPECT_FALSE(TReplyImage(img).Valid());
    EXPECT_FALSE(TReplyImage(TBytes{0x05}).Valid());
}

TEST(ReplyImage, BytesAfterTheImageAreNotPartOfIt) {
    auto img = MakeDiveReply(500, {MakeBlock({})});
    img.insert(img.end(), 100, 0xEE);  // the rest of the window's buffer
    const TReplyImage view(img);
    EXPECT_TRUE(view.Valid());
    ASSERT_TRUE(view.CutDiveBlocks());
    EXPECT_EQ(view.CutDiveBlocks()->size(), 1u);
}

TEST(ReplyImage, HeaderFieldsOfTheFirstBlock) {
    const auto img = MakeDiveReply(0x01020304, {MakeBlock({.Serial = 0xA1B2C3, .HwSw = 0xF4})});
    const TReplyImage view(img);
    EXPECT_EQ(view.DeviceClock(), 0x01020304u);
    EXPECT_EQ(view.FirstSerial(), 0xA1B2C3u);
    EXPECT_EQ(view.FirstHwSw(), 0xF4);
    EXPECT_TRUE(view.IsDiveReply());
}

TEST(ReplyImage, BlocksAreCutAtTheirProfileLengths) {
    const auto img =
        MakeDiveReply(9, {MakeBlock({.DeviceTime = 1}), MakeBlock({.DeviceTime = 2, .ProfileLength = 300}),
                          MakeBlock({.DeviceTime = 3, .ProfileLength = 1})});
    const auto blocks = TReplyImage(img).CutDiveBlocks();
    ASSERT_TRUE(blocks);
    ASSERT_EQ(blocks->size(), 3u);
    EXPECT_EQ((*blocks)[0].size(), 18u);
    EXPECT_EQ((*blocks)[1].size(), 318u);
    EXPECT_EQ((*blocks)[2].size(), 19u);
    EXPECT_EQ((*blocks)[1][11], 2);
    EXPECT_EQ((*blocks)[2][11], 3);
}

TEST(ReplyImage, EmptyDiveReplyHasNoBlocks) {
    const auto blocks = TReplyImage(MakeDiveReply(9, {})).CutDiveBlocks();
    ASSERT_TRUE(blocks);
    EXPECT_TRUE(blocks->empty());
}

TEST(ReplyImage, UpToThreeLeftOverBytesAreIgnored) {
    TBytes data{0x55, 0, 0, 0, 0};
    const auto block = MakeBlock({});
    data.insert(data.end(), block.begin(), block.end());
    data.insert(data.end(), {0xAA, 0xBB, 0xCC});
    const auto blocks = TReplyImage(MakeImage(data)).CutDiveBlocks();
    ASSERT_TRUE(blocks);
    EXPECT_EQ(blocks->size(), 1u);
}

// Images that announce more than they hold must never be read past their data.
struct TDamage {
    const char* Name;
    TBytes Image;
};

TBytes ReplyWithTail(const TBytes& tail) {
    TBytes data{0x55, 0, 0, 0, 0};
    const auto block = MakeBlock({.DeviceTime = 5});
    data.insert(data.end(), block.begin(), block.end());
    data.insert(data.end(), tail.begin(), tail.end());
    return MakeImage(data);
}

TBytes TruncatedProfile() {
    auto block = MakeBlock({.ProfileLength = 40});
    block.resize(18 + 39);
    TBytes data{0x55, 0, 0, 0, 0};
    data.insert(data.end(), block.begin(), block.end());
    return MakeImage(data);
}

class DamagedReply : public ::testing::TestWithParam<TDamage> {};

TEST_P(DamagedReply, IsACommunicationErrorAndImportsNothing) {
    const TReplyImage view(GetParam().Image);
    ASSERT_TRUE(view.Valid()) << "the damage is inside a well-framed image";
    EXPECT_FALSE(view.CutDiveBlocks());
    const auto v = EvaluateTransfer(1, false, view);
    EXPECT_FALSE(v.Import);
    EXPECT_EQ(v.Message, DownloadMessage::PcLinkError);
    EXPECT_EQ(v.Box, TMessageBox::Error);
    EXPECT_TRUE(v.RebuildList);
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedReply,
                         ::testing::Values(TDamage{"ProfileRunsPastData", TruncatedProfile()},
                                           TDamage{"HeaderOfFourBytes", ReplyWithTail({1, 2, 3, 4})},
                                           TDamage{"HeaderOfSeventeenBytes", ReplyWithTail(TBytes(17, 0))},
                                           TDamage{"SuccessWithLFour", MakeImage({0x55, 1, 2, 3})},
                                           TDamage{"SuccessWithLOne", MakeImage({0x33})},
                                           TDamage{"NoResponseCode", MakeImage({})},
                                           TDamage{"ErrorWithoutCode", MakeImage({0x12})}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(SupportedCodes, ExactlyTheThirtyFourCodes) {
    const std::vector<int> codes{0x00, 0x04, 0x10, 0x14, 0x18, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x24,
                                 0x28, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x34, 0x38, 0x3B, 0x3D, 0x3E,
                                 0x3F, 0x40, 0x44, 0x48, 0x50, 0x54, 0x58, 0xA4, 0xF4, 0xFF};
    int count = 0;
    for (int c = 0; c < 256; ++c) {
        const bool listed = std::find(codes.begin(), codes.end(), c) != codes.end();
        EXPECT_EQ(IsSupportedHwSw(static_cast<std::uint8_t>(c)), listed) << c;
        count += IsSupportedHwSw(static_cast<std::uint8_t>(c));
    }
    EXPECT_EQ(count, 34);
}

struct TVerdictCase {
    const char* Name;
    int Result;
    bool Failed;
    TBytes Image;
    std::optional<int> Message;
    TMessageBox Box;
    bool Import;
    bool Rebuild;
};

class Verdict : public ::testing::TestWithParam<TVerdictCase> {};

TEST_P(Verdict, MessageImportAndList) {
    const auto& c = GetParam();
    const auto v = EvaluateTransfer(c.Result, c.Failed, TReplyImage(c.Image));
    EXPECT_EQ(v.Message, c.Message);
    if (c.Message) {
        EXPECT_EQ(v.Box, c.Box);
    }
    EXPECT_EQ(v.Import, c.Import);
    EXPECT_EQ(v.RebuildList, c.Rebuild);
}

TBytes BadChecksum() {
    auto img = MakeDiveReply(1, {MakeBlock({})});
    img.back() ^= 0xFF;
    return img;
}

const auto E = TMessageBox::Error;
const auto I = TMessageBox::Information;
INSTANTIATE_TEST_SUITE_P(
    Cases, Verdict,
    ::testing::Values(
        TVerdictCase{"Cancel", 2, false, MakeDiveReply(1, {MakeBlock({})}), std::nullopt, E, false, false},
        TVerdictCase{"Countdown", 3, false, {}, 43, I, false, false},
        TVerdictCase{"NakLimit", 7, true, {}, 44, E, false, true},
        TVerdictCase{"FailedEvenWithGoodImage", 1, true, MakeDiveReply(1, {}), 44, E, false, true},
        TVerdictCase{"WrongChecksum", 1, false, BadChecksum(), 44, E, false, true},
        TVerdictCase{"Dives55", 1, false, MakeDiveReply(1, {MakeBlock({})}), std::nullopt, E, true, true},
        TVerdictCase{"Dives33", 1, false, MakeDiveReply(1, {}, 0x33), std::nullopt, E, true, true},
        TVerdictCase{"Error1", 1, false, MakeErrorReply(1), 45, E, false, true},
        TVerdictCase{"Error2", 1, false, MakeErrorReply(2), 51, E, false, true},
        TVerdictCase{"Error3", 1, false, MakeErrorReply(3), 46, E, false, true},
        TVerdictCase{"Error4", 1, false, MakeErrorReply(4), 47, E, false, true},
        TVerdictCase{"Error5", 1, false, MakeErrorReply(5), 50, E, false, true},
        TVerdictCase{"Error0", 1, false, MakeErrorReply(0), std::nullopt, E, false, true},
        TVerdictCase{"Error9", 1, false, MakeErrorReply(9), std::nullopt, E, false, true}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
