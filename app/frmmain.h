#pragma once

#include "app/gamecontext.h"
#include "settings/appstate.h"
#include "exercises/catalogue.h"
#include "ui/runsounds.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>

#include <vector>
#include <functional>

class QAction;
class QMenu;
class QPushButton;

// The menu: one button per exercise, the end button, the records menu and
// the help menu. It opens every other window modally, and on its first
// activation the notice when the settings call for it.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 7890;
    // The exercise buttons stand in two columns, numbers running down the
    // left one first; the end button is centred below them.
    static constexpr int Columns = 2;
    static constexpr int ButtonTop = 240;
    static constexpr int RowHeight = 840;
    // Rows the catalogue's exercises take, and the client's height under them.
    static int rows();
    static int clientHeight();

    // Opens the window of an exercise (new, unshown) with its ranking loaded,
    // or nullptr when the exercise has none. The game uses openExercise;
    // tests can use their own.
    using TrainerFactory = std::function<QDialog *(int number, QWidget *parent)>;

    // The menu works on the game's ranking, history and sounds (not owned;
    // they outlive it).
    explicit frmMain(GameContext &game, QWidget *parent = nullptr);
    ~frmMain() override;

    void setTrainerFactory(TrainerFactory factory) { m_trainerFactory = std::move(factory); }
    // The runs of every exercise opened from now on are recorded by history
    // (not owned; null: not recorded).
    void recordRuns(RunObserver *history) { m_listeners.history = history; }

    // The window the menu has open modally now, if any.
    QDialog *openWindow() const { return m_openWindow; }
    // True until the first activation has been handled.
    bool firstActivationPending() const { return m_firstActivation; }

signals:
    // A window the menu is about to open modally.
    void windowOpened(QDialog *window);

public slots:
    void cmdMenu_Click(int index);
    void mnuOsirase_Click();
    void mnuVer_Click();
    void mnuSeiseki_Click();
    void mnuExport_Click();
    void cmdEnd_Click();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void queueFirstActivation();
    void showModal(QDialog *window);

    // Index 0 unused: cmdMenu(1) to cmdMenu(exerciseCount()).
    std::vector<QPushButton *> cmdMenu;
    QPushButton *cmdEnd = nullptr;
    QMenu *mnuBarSeiseki = nullptr;
    QAction *mnuSeiseki = nullptr;
    QAction *mnuExport = nullptr;
    QMenu *mnuBarHelp = nullptr;
    QAction *mnuOsirase = nullptr;
    QAction *mnuVer = nullptr;

    bool m_firstActivation = true;
    bool m_activationQueued = false;
    QPointer<QDialog> m_openWindow;
    GameContext &m_game;
    GameSounds m_sounds;
    RunListeners m_listeners;
    TrainerFactory m_trainerFactory;
};
