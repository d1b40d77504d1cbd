#pragma once

// The real main screen in a temporary copy of the built game folder, with a
// hand-moved clock, scripted random numbers and recorded sounds: what the
// screen benchmarks drive.
#include "app/main_form.h"
#include "app/module1.h"
#include "history/sqlite_history_store.h"
#include "platform/timer.h"
#include "store/gsx_seq.h"
#include "support/fakes.h"

#include <QPluginLoader>
#include <QTemporaryDir>
#include <memory>

class GameHarness {
public:
    // parentDir: where the game folder copy goes (a disk or a memory file system).
    explicit GameHarness(const QString& parentDir = QString());
    ~GameHarness();

    // The history window's module of the built game; null when it has none.
    HistoryViewer* historyViewer();

    Main& main() { return *m_main; }
    Module1& module() { return *m_module; }
    FakeClock& clock() { return m_clock; }
    SoundRecorder& sound() { return m_sound; }
    QString folder() const { return m_dir->path(); }

    // A new Main on the folder, shown, its title written and its timers stopped.
    void createMain();
    void destroyMain();

    // Starts a single-practice game on a pattern and runs the countdown out.
    void startGame(int pattern);
    // Ends a game in progress without a result (Esc).
    void abandonGame();
    void stopTimers();

    // The pattern and slot of the first word with the given number of cells.
    bool findWord(int cells, int& pattern, int& slot) const;

private:
    FakeClock m_clock;
    ScriptedRandom m_random{{0.25, 0.5, 0.75}};
    SoundRecorder m_sound;
    NotifierRecorder m_notifier;
    SqliteHistoryStoreOpener m_historyOpener;
    StdRandom m_keyRandom{7};
    GsxSeq m_seq{m_keyRandom};
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Module1> m_module = std::make_unique<Module1>();
    std::unique_ptr<Main> m_main;
    QPluginLoader m_viewerLoader;
};

// Closes the next modal dialog as soon as it shows.
void closeNextDialog();
