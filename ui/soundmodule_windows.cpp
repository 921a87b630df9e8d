// The kashikoro-sound module on Windows: the game's sounds played with the
// system's own PlaySound, from copies kept in memory at the game's volume.

#include "ui/soundoutput.h"

#include <QFile>
#include <QUrl>
#include <QtEndian>

#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <vector>

namespace {

// A sound file (RIFF WAVE) with its 16-bit samples turned down to volume.
// Anything else is played as it is.
QByteArray atVolume(QByteArray wave, float volume)
{
    if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE")
        return wave;
    bool sixteenBitPcm = false;
    qsizetype at = 12;
    while (at + 8 <= wave.size()) {
        const QByteArray id = wave.mid(at, 4);
        const quint32 length = qFromLittleEndian<quint32>(wave.constData() + at + 4);
        const qsizetype body = at + 8;
        if (length > quint32(wave.size() - body))
            break;
        if (id == "fmt " && length >= 16) {
            const quint16 format = qFromLittleEndian<quint16>(wave.constData() + body);
            const quint16 bits = qFromLittleEndian<quint16>(wave.constData() + body + 14);
            sixteenBitPcm = format == 1 && bits == 16;
        } else if (id == "data" && sixteenBitPcm) {
            char *samples = wave.data() + body;
            for (quint32 i = 0; i + 1 < length; i += 2) {
                const qint16 sample = qFromLittleEndian<qint16>(samples + i);
                qToLittleEndian<qint16>(qint16(float(sample) * volume), samples + i);
            }
            break;
        }
        at = body + qsizetype(length) + (length & 1);
    }
    return wave;
}

class PlaySoundOutput final : public SoundOutput
{
public:
    PlaySoundOutput(const QStringList &sources, float volume)
    {
        for (const QString &source : sources) {
            const QUrl url(source);
            QFile file(url.scheme() == QLatin1String("qrc") ? QLatin1Char(':') + url.path() : url.toLocalFile());
            m_waves.push_back(file.open(QIODevice::ReadOnly) ? atVolume(file.readAll(), volume) : QByteArray());
        }
    }

    ~PlaySoundOutput() override
    {
        // The sound playing reads from our copy: stop it before the copy goes.
        PlaySoundW(nullptr, nullptr, 0);
    }

    void play(int source) override
    {
        if (source < 0 || source >= int(m_waves.size()) || m_waves[size_t(source)].isEmpty())
            return;
        // A new sound cuts off the one still playing.
        PlaySoundW(reinterpret_cast<LPCWSTR>(m_waves[size_t(source)].constData()), nullptr,
                   SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
    }

private:
    std::vector<QByteArray> m_waves;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *kashikoro_make_sound_output(const QStringList &sources, float volume)
{
    if (waveOutGetNumDevs() == 0)
        return nullptr;
    return new PlaySoundOutput(sources, volume);
}
