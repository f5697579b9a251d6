#pragma once
// Plays one short sound from the program's resources ("Sounds/..."), at full
// volume. Making one costs nothing: no file is read and no audio device opened
// until a sound is loaded and played.

#include "platform/desktop/audio_player.h"

#include <QObject>
#include <QString>

#include <memory>

namespace app {

class AudioManager : public QObject {
    Q_OBJECT

public:
    AudioManager();
    ~AudioManager() override;

    platform::AudioPlayer* audioPlayer() const noexcept { return audioPlayer_.get(); }
    void setAudioPlayer(std::unique_ptr<platform::AudioPlayer> player) noexcept { audioPlayer_ = std::move(player); }

    // Loads "Sounds/" + `filename`; on failure says so on the console and keeps the player it had.
    void loadAudio(const QString& filename);
    // Plays the loaded sound at full volume; nothing without one.
    void playAudio();

private:
    std::unique_ptr<platform::AudioPlayer> audioPlayer_;
};

} // namespace app
