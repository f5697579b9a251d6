#include "platform/desktop/audio_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace platform {
namespace {

// A notification chime, not a symphony: this bounds the memory a stray file can take.
constexpr qint64 largestSoundFile = 32 * 1024 * 1024;
constexpr sf_count_t largestDecodedFrames = 10 * 60 * 48000;   // ten minutes at 48 kHz

// libsndfile reads from memory through these callbacks.
struct MemoryFile {
    const QByteArray* data;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* user) { return static_cast<MemoryFile*>(user)->data->size(); }

sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    sf_count_t base = 0;
    if (whence == SEEK_CUR) base = file->position;
    if (whence == SEEK_END) base = file->data->size();
    const sf_count_t target = base + offset;
    if (target < 0 || target > file->data->size()) return -1;
    file->position = target;
    return target;
}

sf_count_t memoryRead(void* destination, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t available = std::max<sf_count_t>(0, file->data->size() - file->position);
    const sf_count_t n = std::min(count, available);
    std::memcpy(destination, file->data->constData() + file->position, static_cast<size_t>(n));
    file->position += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t memoryTell(void* user) { return static_cast<MemoryFile*>(user)->position; }

QString localName(const QUrl& url) {
    if (url.scheme() == QLatin1String("qrc")) return QLatin1Char(':') + url.path();
    if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

} // namespace

std::variant<std::unique_ptr<AudioPlayer>, AudioPlayerError> AudioPlayer::contentsOf(const QUrl& url) {
    const QString name = localName(url);
    if (name.isEmpty()) return AudioPlayerError{"Only local files and the program's resources can be played."};

    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return AudioPlayerError{file.errorString().toStdString()};
    if (file.size() > largestSoundFile) return AudioPlayerError{"The sound file is too large."};
    const QByteArray encoded = file.readAll();

    MemoryFile memory{&encoded};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (!sound) return AudioPlayerError{sf_strerror(nullptr)};

    std::variant<std::unique_ptr<AudioPlayer>, AudioPlayerError> result = AudioPlayerError{};
    if (info.channels < 1 || info.channels > 8 || info.samplerate < 1 || info.frames < 1 ||
        info.frames > largestDecodedFrames) {
        result = AudioPlayerError{"The sound file holds no sound that can be played."};
    } else {
        QByteArray samples(static_cast<qsizetype>(info.frames * info.channels * sizeof(float)), Qt::Uninitialized);
        const sf_count_t read = sf_readf_float(sound, reinterpret_cast<float*>(samples.data()), info.frames);
        if (read < 1) {
            result = AudioPlayerError{sf_strerror(sound)};
        } else {
            samples.truncate(static_cast<qsizetype>(read * info.channels * sizeof(float)));
            result = std::unique_ptr<AudioPlayer>(new AudioPlayer(url, std::move(samples), info.channels, info.samplerate));
        }
    }
    sf_close(sound);
    return result;
}

AudioPlayer::AudioPlayer(QUrl url, QByteArray samples, int channels, int sampleRate)
    : url_(std::move(url)), samples_(std::move(samples)), channels_(channels), sampleRate_(sampleRate) {}

AudioPlayer::~AudioPlayer() { stop(); }

double AudioPlayer::duration() const noexcept {
    const auto frames = static_cast<double>(samples_.size()) / (sizeof(float) * static_cast<double>(channels_));
    return frames / sampleRate_;
}

void AudioPlayer::setVolume(double volume) {
    volume_ = std::isnan(volume) ? 0.0 : std::clamp(volume, 0.0, 1.0);
    if (sink_) sink_->setVolume(volume_);
}

bool AudioPlayer::play() {
    stop();
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) return false;

    QAudioFormat format;
    format.setChannelCount(channels_);
    format.setSampleRate(sampleRate_);
    format.setSampleFormat(QAudioFormat::Float);
    if (!output.isFormatSupported(format)) return false;

    buffer_ = std::make_unique<QBuffer>(&samples_);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(output, format);
    sink_->setVolume(volume_);
    sink_->start(buffer_.get());
    return sink_->error() == QAudio::NoError;
}

bool AudioPlayer::isPlaying() const { return sink_ && sink_->state() == QAudio::ActiveState; }

void AudioPlayer::stop() {
    if (sink_) sink_->stop();
    sink_.reset();
    buffer_.reset();
}

} // namespace platform
