// The kashikoro-sound module: the game's sounds played with Qt Multimedia.

#include "ui/soundoutput.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <memory>
#include <vector>

namespace {

class EffectOutput final : public SoundOutput
{
public:
    EffectOutput(const QStringList &sources, float volume)
    {
        for (const QString &source : sources) {
            auto effect = std::make_unique<QSoundEffect>();
            effect->setVolume(volume);
            effect->setSource(QUrl(source));
            m_effects.push_back(std::move(effect));
        }
    }

    void play(int source) override
    {
        if (source < 0 || source >= int(m_effects.size()))
            return;
        for (const auto &effect : m_effects)
            if (effect->isPlaying())
                effect->stop();
        m_effects[size_t(source)]->play();
    }

private:
    std::vector<std::unique_ptr<QSoundEffect>> m_effects;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *kashikoro_make_sound_output(const QStringList &sources, float volume)
{
    if (QMediaDevices::audioOutputs().isEmpty())
        return nullptr;
    return new EffectOutput(sources, volume);
}
