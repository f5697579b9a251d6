// The sound player of the screens: loading from "Sounds/" among the program's
// resources, its console lines, and playing at full volume.

#include "app/audio_manager.h"

#include "app/bundle.h"
#include "support/qt_test_application.h"

#include <gtest/gtest.h>

namespace {

using testsupport::consoleOutputOf;

TEST(AudioManager, ANewOneHasNoPlayerAndPlaysNothing) {
    app::AudioManager manager;
    EXPECT_EQ(manager.audioPlayer(), nullptr);
    EXPECT_EQ(consoleOutputOf([&] { manager.playAudio(); }), "");
}

TEST(AudioManager, TheProgramCarriesASound) {
    EXPECT_TRUE(app::bundleResourceUrl(QStringLiteral("Sounds/chime.wav")).has_value());
    EXPECT_TRUE(app::bundleResourceUrl(QStringLiteral("Sounds/chime"), QStringLiteral("wav")).has_value());
    EXPECT_FALSE(app::bundleResourceUrl(QStringLiteral("Sounds/../../etc/passwd")).has_value());
}

TEST(AudioManager, AMissingSoundIsNamedOnTheConsoleAndTheEarlierPlayerKept) {
    app::AudioManager manager;
    manager.loadAudio(QStringLiteral("chime.wav"));
    platform::AudioPlayer* before = manager.audioPlayer();
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(consoleOutputOf([&] { manager.loadAudio(QStringLiteral("gong.mp3")); }),
              "AudioPlayer:  Sounds/gong.mp3 is not found\n");
    EXPECT_EQ(manager.audioPlayer(), before);
}

TEST(AudioManager, ASoundThatCannotBeLoadedIsNamedWithTheReason) {
    app::AudioManager manager;
    manager.loadAudio(QStringLiteral("chime.wav"));
    platform::AudioPlayer* before = manager.audioPlayer();
    const std::string output = consoleOutputOf([&] { manager.loadAudio(QStringLiteral("broken.wav")); });
    EXPECT_EQ(output.rfind("AudioPlayer cannot load  qrc:/Sounds/broken.wav ", 0), 0u) << output;
    EXPECT_GT(output.size(), std::string("AudioPlayer cannot load  qrc:/Sounds/broken.wav \n").size());
    EXPECT_EQ(manager.audioPlayer(), before);
}

TEST(AudioManager, ASecondLoadReplacesTheFirstPlayer) {
    app::AudioManager manager;
    manager.loadAudio(QStringLiteral("chime.wav"));
    platform::AudioPlayer* first = manager.audioPlayer();
    manager.loadAudio(QStringLiteral("chime.wav"));
    ASSERT_NE(manager.audioPlayer(), nullptr);
    EXPECT_NE(manager.audioPlayer(), first);
    EXPECT_EQ(manager.audioPlayer()->url(), QUrl(QStringLiteral("qrc:/Sounds/chime.wav")));
}

TEST(AudioManager, PlayingSetsFullVolumeEachTime) {
    app::AudioManager manager;
    manager.loadAudio(QStringLiteral("chime.wav"));
    ASSERT_NE(manager.audioPlayer(), nullptr);
    manager.audioPlayer()->setVolume(0.2);
    manager.playAudio();
    EXPECT_DOUBLE_EQ(manager.audioPlayer()->volume(), 1.0);
    manager.audioPlayer()->setVolume(0.0);
    manager.playAudio();
    EXPECT_DOUBLE_EQ(manager.audioPlayer()->volume(), 1.0);
    manager.audioPlayer()->stop();
}

} // namespace
