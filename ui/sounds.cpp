#include "ui/sounds.h"

#include "settings/appstate.h"

#include "ui/modules.h"
#include "ui/soundoutput.h"

#include <QFileInfo>

#include <optional>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace {

// The sounds are played at this share of full volume; they are made quiet
// already, this leaves room below the player's own volume setting.
constexpr float Volume = 0.6f;

const char *const Files[Sounds::CueCount] = {"right.wav", "wrong.wav", "finished.wav", "record.wav"};

// The player's choice made in this session, for the settings file it was made on.
struct Choice
{
    QString settingsPath;
    bool on = true;
};
std::optional<Choice> sessionChoice;

// Whether an audio server can be reached at all. Qt's audio layer complains
// on the console when it finds none; where there plainly is none (a build
// machine, a remote shell) the game does not ask it.
bool audioServerThere()
{
#ifdef Q_OS_LINUX
    if (qEnvironmentVariableIsSet("PULSE_SERVER"))
        return true;
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        runtime = QStringLiteral("/run/user/%1").arg(getuid());
    return QFileInfo::exists(runtime + QStringLiteral("/pulse/native"))
        || QFileInfo::exists(QStringLiteral("/run/pulse/native"))
        || QFileInfo::exists(QStringLiteral("/var/run/pulse/native"));
#else
    return true;
#endif
}

} // namespace

Sounds::Sounds(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("sounds"));
}

Sounds::~Sounds() = default;

MakeSoundOutput Sounds::findModule()
{
    return Modules::entry<MakeSoundOutput>(SoundModuleName, MakeSoundOutputName);
}

QString Sounds::settingsSection()
{
    return QStringLiteral("sound");
}

QString Sounds::enabledKey()
{
    return QStringLiteral("enabled");
}

bool Sounds::enabled()
{
    if (sessionChoice && sessionChoice->settingsPath == app().SettingsFilePath)
        return sessionChoice->on;
    // Anything but a plain 0 (a hand-edited file) leaves sound on.
    return ReadSetting(settingsSection(), enabledKey(), QStringLiteral("1")).trimmed() != QStringLiteral("0");
}

bool Sounds::setEnabled(bool on)
{
    sessionChoice = Choice{app().SettingsFilePath, on};
    return WriteSetting(settingsSection(), enabledKey(), on ? QStringLiteral("1") : QStringLiteral("0"));
}

void Sounds::prepare()
{
    if (m_prepared)
        return;
    m_prepared = true;
    if (!audioServerThere())
        return;
    const MakeSoundOutput make = findModule();
    if (!make)
        return;
    QStringList sources;
    for (const char *file : Files)
        sources.append(QStringLiteral("qrc:/assets/sounds/") + QLatin1String(file));
    m_output.reset(make(sources, Volume));
}

bool Sounds::audible()
{
    prepare();
    return m_output != nullptr;
}

void Sounds::play(Cue cue)
{
    if (!enabled())
        return;
    emit played(cue);
    if (!audible())
        return;
    // One sound at a time: a quick answer cuts off the sound of the one before.
    m_output->play(int(cue));
}
