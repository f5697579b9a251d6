#pragma once
// A player for one short sound file. Opening reads and decodes the whole file at
// once (through libsndfile), so a missing or unreadable sound fails there, with
// a description; the audio device is opened only when the sound is played
// (through QtMultimedia).

#include <QByteArray>
#include <QUrl>

#include <memory>
#include <string>
#include <variant>

class QAudioSink;
class QBuffer;

namespace platform {

struct AudioPlayerError {
    std::string localizedDescription;
};

class AudioPlayer {
public:
    // A local file ("file:") or one of the program's resources ("qrc:").
    static std::variant<std::unique_ptr<AudioPlayer>, AudioPlayerError> contentsOf(const QUrl& url);
    ~AudioPlayer();
    AudioPlayer(const AudioPlayer&) = delete;
    AudioPlayer& operator=(const AudioPlayer&) = delete;

    const QUrl& url() const noexcept { return url_; }
    double duration() const noexcept;   // seconds

    // From 0 (silent) to 1 (full); other values are brought into that range.
    double volume() const noexcept { return volume_; }
    void setVolume(double volume);

    // Plays from the start; false when there is no audio output to play on.
    bool play();
    bool isPlaying() const;
    void stop();

private:
    AudioPlayer(QUrl url, QByteArray samples, int channels, int sampleRate);

    QUrl url_;
    QByteArray samples_;   // interleaved 32-bit float frames
    int channels_;
    int sampleRate_;
    double volume_ = 1.0;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

} // namespace platform
