#include "app/audio_manager.h"

#include "app/bundle.h"
#include "app/console.h"

namespace app {

AudioManager::AudioManager() = default;
AudioManager::~AudioManager() = default;

void AudioManager::loadAudio(const QString& filename) {
    const QString resource = QStringLiteral("Sounds/") + filename;
    const auto url = bundleResourceUrl(resource, QString());
    if (!url) {
        print("AudioPlayer:  " + resource.toStdString() + " is not found");
        return;
    }
    auto opened = platform::AudioPlayer::contentsOf(*url);
    if (auto* error = std::get_if<platform::AudioPlayerError>(&opened)) {
        print("AudioPlayer cannot load  " + url->toString().toStdString() + " " + error->localizedDescription);
        return;
    }
    audioPlayer_ = std::move(std::get<std::unique_ptr<platform::AudioPlayer>>(opened));
}

void AudioManager::playAudio() {
    if (!audioPlayer_) return;
    audioPlayer_->setVolume(1.0);
    audioPlayer_->play();
}

} // namespace app
