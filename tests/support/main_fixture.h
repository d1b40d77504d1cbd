#pragma once

#include "app/main_form.h"
#include "app/module1.h"
#include "history/sqlite_history_store.h"
#include "platform/files.h"
#include "platform/timer.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "support/fakes.h"
#include "support/sample_puzzle.h"
#include "support/temp_dir.h"
#include "view/image_button.h"
#include "view/result_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

// The real main screen in a temporary game folder, with a hand-moved clock,
// scripted random numbers and recorded sounds. Handlers are driven directly
// or through real key events; no real timer decides anything.
class MainFixture : public TempDirTest {
protected:
    FakeClock clock;
    ScriptedRandom random{{0.5}};
    SoundRecorder sound;
    NotifierRecorder notifier;
    StdRandom keyRandom{5};
    GsxSeq seq{keyRandom};
    std::unique_ptr<Module1> module = std::make_unique<Module1>();
    std::unique_ptr<Main> main;
    HistoryStore* history = nullptr; // null: history.db in the game folder
    SqliteHistoryStoreOpener sqliteOpener;
    HistoryStoreOpener* historyOpener = &sqliteOpener; // null: the module beside the test program (absent)
    HistoryViewer* historyViewer = nullptr; // null: the module beside the test program (absent)

    struct Shown {
        int count = 0;
        QString time;
        QString message;
        QString typing;
    } result;

    static QStringList samplePuzzle() { return samplePuzzleLines(); }

    // The game's files and the records in one folder, as in a portable game folder.
    virtual GameFolders folders() const { return {dir.path(), dir.path(), {}, {}}; }

    void SetUp() override { ASSERT_TRUE(packLines(seq, samplePuzzle(), path("data2.dat"))); }

    void makeMain(bool finishTitle = true)
    {
        main = std::make_unique<Main>(*module, Main::Services{clock, random, sound, seq, notifier, history, historyViewer, historyOpener}, folders());
        main->Timer2->setInterval(0); // the test steps the title itself
        QCoreApplication::processEvents();
        if (finishTitle) {
            for (int i = 0; i < 8; ++i) {
                main->Timer2_Timer();
            }
            main->Timer3->setInterval(0);
        }
    }

    // Closes the result dialog as soon as it shows, keeping its texts.
    void answerResultDialog()
    {
        QTimer::singleShot(0, [this] {
            if (auto* dialog = qobject_cast<Result*>(QApplication::activeModalWidget())) {
                ++result.count;
                result.time = dialog->Label18->text();
                result.message = dialog->Label19->text();
                result.typing = dialog->typingLine->text();
                dialog->done(0);
            }
        });
    }

    void choosePattern(int pattern)
    {
        main->Option2->setChecked(true);
        main->Combo1->setCurrentIndex(pattern);
    }

    // Where the keyboard goes: the focused control, or the window itself.
    QWidget* keyTarget() const { return main->focusWidget() ? main->focusWidget() : main.get(); }

    void pressEnter(QWidget* target = nullptr)
    {
        QTest::keyClick(target ? target : keyTarget(), Qt::Key_Return);
    }
    void pressEsc() { QTest::keyClick(keyTarget(), Qt::Key_Escape); }

    // Starts a game on the pattern and runs the countdown to its end.
    void startAndCountDown(int pattern)
    {
        choosePattern(pattern);
        main->Form_KeyDown(vbKeyReturn);
        clock.advance(3000);
        main->Timer4_Timer();
        main->Timer4->setInterval(0);
        main->Timer1->setInterval(0);
    }

    void answer(const QString& text)
    {
        main->Text1->setText(text);
        answerResultDialog();
        pressEnter();
        main->Timer3->setInterval(0);
    }

    QRgb boardPixel(int cell, QPoint inTile = QPoint(4, 30)) const;
};

inline QRgb MainFixture::boardPixel(int cell, QPoint inTile) const
{
    const QPoint at(30 + 40 * (cell % 7), 114 + 40 * (cell / 7));
    return main->Picture4->image().pixel(at + inTile);
}

inline bool isYellow(QRgb c) { return qRed(c) > 200 && qGreen(c) > 170 && qBlue(c) < 140; }
inline bool isPink(QRgb c) { return qRed(c) > 200 && qGreen(c) < 200 && qBlue(c) > 150; }
inline bool isLightBlue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 200 && qGreen(c) > 170; }
inline bool isEmptyCell(QRgb c) { return qRed(c) < 60 && qBlue(c) > 90 && qGreen(c) < 110; }
