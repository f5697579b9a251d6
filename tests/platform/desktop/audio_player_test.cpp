// The sound player: opening reads and checks the whole file, so a bad sound
// fails at once; the volume stays within 0 and 1.

#include "platform/desktop/audio_player.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using platform::AudioPlayer;
using platform::AudioPlayerError;

// A 16-bit PCM WAV file of `frames` silent frames.
QByteArray silentWav(int sampleRate, int channels, int frames) {
    QByteArray data;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) data.append(static_cast<char>((v >> (8 * i)) & 0xff));
    };
    auto put16 = [&](std::uint16_t v) {
        data.append(static_cast<char>(v & 0xff));
        data.append(static_cast<char>(v >> 8));
    };
    const auto bytes = static_cast<std::uint32_t>(frames * channels * 2);
    data.append("RIFF");
    put32(36 + bytes);
    data.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(static_cast<std::uint16_t>(channels));
    put32(static_cast<std::uint32_t>(sampleRate));
    put32(static_cast<std::uint32_t>(sampleRate * channels * 2));
    put16(static_cast<std::uint16_t>(channels * 2));
    put16(16);
    data.append("data");
    put32(bytes);
    data.append(QByteArray(static_cast<qsizetype>(bytes), '\0'));
    return data;
}

class AudioFiles : public testing::Test {
protected:
    QUrl write(const QString& name, const QByteArray& contents) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return QUrl::fromLocalFile(file.fileName());
    }
    QTemporaryDir folder;
};

TEST_F(AudioFiles, AGoodSoundOpensWithItsLength) {
    auto opened = AudioPlayer::contentsOf(write("chime.wav", silentWav(8000, 2, 4000)));
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<AudioPlayer>>(opened));
    const auto& player = std::get<std::unique_ptr<AudioPlayer>>(opened);
    EXPECT_DOUBLE_EQ(player->duration(), 0.5);
    EXPECT_DOUBLE_EQ(player->volume(), 1.0);
    EXPECT_FALSE(player->isPlaying());
}

TEST_F(AudioFiles, AMissingFileFailsWithADescription) {
    auto opened = AudioPlayer::contentsOf(QUrl::fromLocalFile(folder.filePath("none.wav")));
    ASSERT_TRUE(std::holds_alternative<AudioPlayerError>(opened));
    EXPECT_FALSE(std::get<AudioPlayerError>(opened).localizedDescription.empty());
}

TEST_F(AudioFiles, AFileThatIsNoSoundFailsWithADescription) {
    auto opened = AudioPlayer::contentsOf(write("notes.wav", "these are not the sounds you are looking for"));
    ASSERT_TRUE(std::holds_alternative<AudioPlayerError>(opened));
    EXPECT_FALSE(std::get<AudioPlayerError>(opened).localizedDescription.empty());
}

TEST_F(AudioFiles, ATruncatedOrEmptySoundFails) {
    QByteArray cut = silentWav(8000, 1, 1000);
    cut.truncate(30);
    EXPECT_TRUE(std::holds_alternative<AudioPlayerError>(AudioPlayer::contentsOf(write("cut.wav", cut))));
    EXPECT_TRUE(std::holds_alternative<AudioPlayerError>(AudioPlayer::contentsOf(write("empty.wav", silentWav(8000, 1, 0)))));
}

TEST_F(AudioFiles, OnlyLocalFilesAndResourcesAreRead) {
    auto opened = AudioPlayer::contentsOf(QUrl(QStringLiteral("https://www.tarnwick.com/chime.wav")));
    EXPECT_TRUE(std::holds_alternative<AudioPlayerError>(opened));
}

TEST_F(AudioFiles, TheVolumeStaysBetweenSilentAndFull) {
    auto opened = AudioPlayer::contentsOf(write("chime.wav", silentWav(8000, 1, 800)));
    auto& player = *std::get<std::unique_ptr<AudioPlayer>>(opened);
    player.setVolume(0.25);
    EXPECT_DOUBLE_EQ(player.volume(), 0.25);
    player.setVolume(3.0);
    EXPECT_DOUBLE_EQ(player.volume(), 1.0);
    player.setVolume(-1.0);
    EXPECT_DOUBLE_EQ(player.volume(), 0.0);
    player.setVolume(std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(player.volume(), 0.0);
}

TEST_F(AudioFiles, PlayingWithOrWithoutAnAudioOutputNeitherHangsNorCrashes) {
    auto opened = AudioPlayer::contentsOf(write("chime.wav", silentWav(8000, 1, 80)));
    auto& player = *std::get<std::unique_ptr<AudioPlayer>>(opened);
    const bool started = player.play();
    if (!started) {
        EXPECT_FALSE(player.isPlaying());
    }
    player.stop();
    EXPECT_FALSE(player.isPlaying());
}

} // namespace
