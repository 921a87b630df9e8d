#pragma once

// Stand-ins that let a test decide chance, time and the player's answers to
// dialogs, and give each test a settings file of its own.

#include "settings/appstate.h"
#include "settings/dialogs.h"
#include "run/random.h"
#include "run/stopwatch.h"

#include <QList>
#include <QQueue>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <QtTest/QTest>

// Uniform draws from a fixed seed: the same values on every machine and in
// every run, for counts over many questions that must never change.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(quint32 seed) : m_generator(seed) {}
    float next() override { return static_cast<float>(m_generator.bounded(1 << 24)) / 16777216.0f; }
    void reseed() override {}

private:
    QRandomGenerator m_generator;
};

// Hands out the values it was given, in order; fails the test when it runs dry.
class ScriptedRandom final : public RandomSource
{
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : m_values(values) {}

    // The value r for which Int(count x r) is k.
    static float forInt(int k, int count) { return (static_cast<float>(k) + 0.5f) / static_cast<float>(count); }

    void push(float r) { m_values.enqueue(r); }
    void pushInt(int k, int count) { push(forInt(k, count)); }
    // Plenty of values from a fixed seed, the same as SeededRandom(seed) gives.
    void pushSeeded(quint32 seed, int count)
    {
        SeededRandom seeded(seed);
        for (int i = 0; i < count; ++i)
            push(seeded.next());
    }
    qsizetype remaining() const { return m_values.size(); }

    float next() override
    {
        if (m_values.isEmpty()) {
            QTest::qFail("ScriptedRandom ran out of values", __FILE__, __LINE__);
            return 0.0f;
        }
        return m_values.dequeue();
    }
    void reseed() override { ++reseeds; }

    int reseeds = 0;

private:
    QQueue<float> m_values;
};

// A clock that moves only when the test says so.
class FakeClock final : public MonotonicClock
{
public:
    void restart() override { m_ms = 0; }
    qint64 elapsedMs() const override { return m_ms; }
    void advance(qint64 ms) { m_ms += ms; }

private:
    qint64 m_ms = 0;
};

// Answers dialogs from a queue and records what was asked.
class ScriptedDialogs final : public Dialogs
{
public:
    struct Shown
    {
        QString kind; // "message", "yesno", "text"
        QString text;
        QString caption;
        QString defaultText;
        Icon icon = Icon::None;
    };

    ScriptedDialogs() { m_previous = setDialogs(this); }
    ~ScriptedDialogs() override { setDialogs(m_previous); }

    void answerYesNo(bool yes) { m_yesNo.enqueue(yes); }
    void answerText(const QString &text) { m_texts.enqueue(text); }

    void showMessage(const QString &text, const QString &caption, Icon icon) override
    {
        shown.append({QStringLiteral("message"), text, caption, QString(), icon});
    }
    bool askYesNo(const QString &text, const QString &caption) override
    {
        shown.append({QStringLiteral("yesno"), text, caption, QString(), Icon::None});
        if (m_yesNo.isEmpty()) {
            QTest::qFail("a Yes/No question nobody scripted", __FILE__, __LINE__);
            return false;
        }
        return m_yesNo.dequeue();
    }
    QString askText(const QString &prompt, const QString &caption, const QString &defaultText) override
    {
        shown.append({QStringLiteral("text"), prompt, caption, defaultText, Icon::None});
        if (m_texts.isEmpty()) {
            QTest::qFail("an input box nobody scripted", __FILE__, __LINE__);
            return QString();
        }
        return m_texts.dequeue();
    }

    QList<Shown> shown;

private:
    Dialogs *m_previous = nullptr;
    QQueue<bool> m_yesNo;
    QQueue<QString> m_texts;
};

// A settings file of its own in a fresh temporary folder, in use while it lives.
class TempSettings
{
public:
    TempSettings()
    {
        m_previous = app().SettingsFilePath;
        setSettingsFilePath(path());
    }
    ~TempSettings() { setSettingsFilePath(m_previous); }

    QString path() const { return m_dir.filePath(QStringLiteral(u"カシコロ.ini")); }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
