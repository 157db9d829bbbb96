#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FolderItem.h"
#include "TestSupport.h"
#include "app/BundleResources.h"

namespace fs = std::filesystem;

namespace {

const char* const kSound = "529816__tumvik__dice-shake.wav";

}  // namespace

TEST(BundleResources, APictureIsReadOnceAndThenShared) {
    BundleCopy bundle({"DDice3.svg"});
    Ref<Picture> first = DDice3();
    ASSERT_FALSE(first.IsNil());
    fs::remove(bundle.Resources() / "DDice3.svg");
    EXPECT_EQ(DDice3().Get(), first.Get()) << "a kept picture is not read again";
    EXPECT_NE(first->Bytes().find("<svg"), std::string::npos);
}

TEST(BundleResources, AMissingPictureIsTriedAgainUntilItLoads) {
    BundleCopy bundle({});
    EXPECT_TRUE(DDice2().IsNil());
    EXPECT_TRUE(DDice2().IsNil());
    bundle.Add("DDice2.svg");
    Ref<Picture> loaded = DDice2();
    ASSERT_FALSE(loaded.IsNil());
    fs::remove(bundle.Resources() / "DDice2.svg");
    EXPECT_EQ(DDice2().Get(), loaded.Get());
}

TEST(BundleResources, EveryPictureOfTheBundleLoads) {
    for (auto accessor : {&QuorvaneUpdatedLogosmall, &dicesSmall2, &DDice1, &DDice2, &DDice3,
                          &DDice4, &DDice5, &DDice6}) {
        Ref<Picture> picture = accessor();
        ASSERT_FALSE(picture.IsNil());
        EXPECT_EQ(picture->GetFormat(), Picture::Format::Svg);
    }
}

TEST(BundleResources, TheSoundIsFoundInResourcesAndKept) {
    Ref<Sound> sound = diceshake();
    ASSERT_FALSE(sound.IsNil());
    EXPECT_EQ(fs::path(sound->Path()).filename(), kSound);
    EXPECT_EQ(fs::path(sound->Path()).parent_path().filename(), "Resources");
    EXPECT_EQ(diceshake().Get(), sound.Get());
}

TEST(BundleResources, WithoutAResourcesFolderTheSoundIsNilForGood) {
    BundleCopy bundle({}, false);
    EXPECT_TRUE(_GetApplicationBundleResources().IsNil());
    EXPECT_TRUE(diceshake().IsNil());
    fs::create_directories(bundle.Resources());
    bundle.Add(kSound);
    EXPECT_TRUE(diceshake().IsNil()) << "one attempt per run";
}

TEST(BundleResources, AFileThatIsNoPlayableSoundGivesNil) {
    BundleCopy bundle({});
    // A float WAV: the player refuses it, so it must not pass as a sound.
    std::ofstream(bundle.Resources() / kSound, std::ios::binary) << std::string(
        "RIFF\x24\0\0\0WAVEfmt "
        "\x10\0\0\0\x03\0\x01\0\x44\xac\0\0\x10\xb1\x02\0\x04\0\x20\0data\0\0\0\0",
        44);
    EXPECT_TRUE(diceshake().IsNil());
}

TEST(BundleResources, AnErrorOnTheFirstAttemptLeavesNilWithoutAnotherAttempt) {
    BundleCopy bundle({});
    fs::create_symlink(bundle.Resources() / "nowhere.wav", bundle.Resources() / kSound);
    EXPECT_THROW(diceshake(), NilObjectException);
    fs::remove(bundle.Resources() / kSound);
    bundle.Add(kSound);
    EXPECT_TRUE(diceshake().IsNil());
}

TEST(BundleResources, OnlyUncompressedPcmWavesPassAsSounds) {
    BundleCopy bundle({kSound});
    EXPECT_FALSE(FolderItem(bundle.Resources() / kSound).OpenAsSound().IsNil());
    std::ofstream(bundle.Resources() / "text.wav") << "not a sound at all";
    EXPECT_TRUE(FolderItem(bundle.Resources() / "text.wav").OpenAsSound().IsNil());
    EXPECT_TRUE(FolderItem(bundle.Resources() / "absent.wav").OpenAsSound().IsNil());
}
